// GLib's headers use "signals" as a name, which Qt's keywords would break: they come first.
#include <gio/gio.h>

#include "desktopshell.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <memory>

namespace
{

template <typename T> struct GObjectDeleter {
    void operator()(T *object) const { g_object_unref(object); }
};
template <typename T> using GObjectPtr = std::unique_ptr<T, GObjectDeleter<T>>;

using namespace ShellResult;

} // namespace

QString DesktopShell::mimeTypeOf(const QString &path)
{
    if (QFileInfo(path).suffix().compare(QLatin1String("fdf"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("application/vnd.fdf");
    return QMimeDatabase().mimeTypeForFile(path).name();
}

namespace
{

GObjectPtr<GAppInfo> applicationFor(const QString &path)
{
    const QByteArray mimeType = DesktopShell::mimeTypeOf(path).toUtf8();
    return GObjectPtr<GAppInfo>(g_app_info_get_default_for_type(mimeType.constData(), FALSE));
}

} // namespace

bool DesktopShell::canOpen(const QString &path)
{
    return applicationFor(path) != nullptr;
}

int DesktopShell::open(const QString &path)
{
    const QFileInfo file(path);
    if (!file.dir().exists())
        return pathNotFound;
    if (!file.isFile())
        return fileNotFound;

    const GObjectPtr<GAppInfo> app = applicationFor(path);
    if (!app)
        return noAssociation;

    const QByteArray localPath = QFile::encodeName(file.absoluteFilePath());
    GObjectPtr<GFile> document(g_file_new_for_path(localPath.constData()));
    GList *documents = g_list_append(nullptr, document.get());
    GError *error = nullptr;
    const gboolean launched = g_app_info_launch(app.get(), documents, nullptr, &error);
    g_list_free(documents);
    if (error)
        g_error_free(error);
    return launched ? started : invalidAssociation;
}

DesktopShell::~DesktopShell()
{
    // Jobs not yet handed over outlive the program: the running one is waited for, the
    // queued ones go to lp on their own.
    const auto running = jobs_.findChildren<QProcess *>();
    for (QProcess *job : running) {
        job->disconnect(&jobs_);
        job->waitForFinished(10000);
    }
    for (const PrintJob &job : std::as_const(queue_))
        QProcess::startDetached(job.lp, {QStringLiteral("--"), job.path});
}

void DesktopShell::print(const QString &path, std::function<void(const QString &)> done)
{
    if (!QFileInfo(path).isFile()) {
        done(QStringLiteral("Die Datei %1 fehlt").arg(path));
        return;
    }
    const QString lp = QStandardPaths::findExecutable(QStringLiteral("lp"));
    if (lp.isEmpty()) {
        done(QStringLiteral("Das Druckprogramm lp (CUPS) ist nicht installiert"));
        return;
    }
    queue_.append({lp, path, std::move(done)});
    if (!running_)
        startNextJob();
}

// One lp at a time, so that the printer gets the jobs in the order they were asked for.
void DesktopShell::startNextJob()
{
    running_ = !queue_.isEmpty();
    if (!running_)
        return;
    const PrintJob next = queue_.takeFirst();
    auto *job = new QProcess(&jobs_);
    job->setProcessChannelMode(QProcess::MergedChannels);
    // The next job starts before the answer is handed on, which may show a message box.
    const auto answer = [this, job, done = next.done](const QString &failure) {
        job->deleteLater();
        startNextJob();
        done(failure);
    };
    QObject::connect(job, &QProcess::finished, &jobs_,
                     [job, answer](int code, QProcess::ExitStatus status) {
                         const QString output = QString::fromLocal8Bit(job->readAll()).trimmed();
                         if (status == QProcess::NormalExit && code == 0)
                             answer(QString());
                         else if (output.isEmpty())
                             answer(QStringLiteral("Der Drucker hat den Auftrag abgelehnt"));
                         else
                             answer(output);
                     });
    QObject::connect(
        job, &QProcess::errorOccurred, &jobs_, [job, answer](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                answer(QStringLiteral("lp konnte nicht gestartet werden: ") + job->errorString());
        });
    job->start(next.lp, {QStringLiteral("--"), next.path});
}
