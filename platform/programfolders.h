#pragma once

#include <QString>

// Where the program finds the files delivered with it and keeps the files it writes. Run from
// its build folder or a portable copy, both are the executable's folder. Installed, the
// delivered files lie under the install prefix and are only read; what the program writes
// goes to a folder of the user's own under the XDG data home, where a user's own copy of a
// delivered file takes precedence.
class ProgramFolders
{
public:
    // Both in one folder.
    explicit ProgramFolders(const QString &folder);
    // The folders of the program at `executableFolder`; the user's folder is made if need be.
    static ProgramFolders forExecutable(const QString &executableFolder);

    // Where `name` is read: the user's own copy if there is one, else the delivered file.
    QString find(const QString &name) const;
    // Where the program writes `name`.
    QString own(const QString &name) const;
    QString ownFolder() const { return own_; }
    bool installed() const { return delivered_ != own_; }
    // Why the user's folder could not be made; empty when it is there.
    QString problem() const { return problem_; }

private:
    ProgramFolders(const QString &delivered, const QString &own);

    QString delivered_;
    QString own_;
    QString problem_;
};
