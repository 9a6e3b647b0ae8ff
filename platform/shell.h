#pragma once

#include <QString>
#include <functional>

// The shell's result codes that the program gives itself.
namespace ShellResult
{
constexpr int fileNotFound = 2;
constexpr int pathNotFound = 3;
constexpr int accessDenied = 5;
constexpr int outOfMemory = 8;
constexpr int invalidImage = 11;
constexpr int invalidAssociation = 27;
constexpr int noAssociation = 31;
constexpr int started = 42;
} // namespace ShellResult

// The desktop's document service. Results follow the Windows shell: above 32 the operation
// was started, 2 the file is missing, 31 no application takes the document's type, any
// other value of 32 or less some other failure.
class Shell
{
public:
    virtual ~Shell() = default;
    // Opens the document with the application associated with its type; does not wait.
    virtual int open(const QString &path) = 0;
    // Whether an application is associated with the document's type.
    virtual bool canOpen(const QString &path) = 0;

    // Hands the document to the printer and does not wait for the printout. `done` gets an
    // empty text once the printer has taken the job, else the reason why it has not; it may
    // be called before print returns.
    virtual void print(const QString &path, std::function<void(const QString &failure)> done) = 0;
};
