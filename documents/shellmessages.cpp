#include "shellmessages.h"

#include "pdf/formfiller.h"
#include "platform/shell.h"

QString shellErrorMessage(int code)
{
    switch (code) {
    case 2:
        return QStringLiteral("File not found");
    case 3:
        return QStringLiteral("Path not found");
    case 5:
        return QStringLiteral("Access denied");
    case 8:
        return QStringLiteral("Out of memory");
    case 11:
        return QStringLiteral("Invalid EXE file or error in EXE image");
    case 26:
        return QStringLiteral("A sharing violation occurred");
    case 27:
        return QStringLiteral("Incomplete or invalid file association");
    case 28:
        return QStringLiteral("DDE Time out");
    case 29:
        return QStringLiteral("DDE transaction failed");
    case 30:
        return QStringLiteral("DDE busy");
    case 31:
        return QStringLiteral("No association for file extension");
    case 32:
        return QStringLiteral("DLL not found");
    default:
        return QStringLiteral("Unknown error");
    }
}

int shellCodeOf(FormFiller::Failure failure)
{
    using FormFiller::Failure;
    switch (failure) {
    case Failure::FormMissing:
        return ShellResult::fileNotFound;
    case Failure::NotWritable:
    case Failure::FormLocked:
        return ShellResult::accessDenied;
    case Failure::DataTooLarge:
    case Failure::FormTooLarge:
        return ShellResult::outOfMemory;
    default:
        return ShellResult::invalidImage;
    }
}

QString openingFailure(int code)
{
    switch (code) {
    case ShellResult::noAssociation:
        return QStringLiteral(
            "Für PDF-Dateien ist kein Programm eingerichtet. Installieren Sie einen "
            "PDF-Betrachter, der Formulare ausfüllen und speichern kann, etwa Evince oder Okular, "
            "und legen Sie ihn in den Einstellungen Ihrer Arbeitsumgebung als Standardprogramm "
            "für PDF-Dateien fest.");
    case ShellResult::invalidAssociation:
        return QStringLiteral("Das Programm, das für PDF-Dateien eingerichtet ist, konnte nicht "
                              "gestartet werden. Prüfen Sie, ob es richtig installiert ist.");
    case ShellResult::fileNotFound:
    case ShellResult::pathNotFound:
        return QStringLiteral("Die Datei wurde nicht gefunden.");
    default:
        return QStringLiteral("Die Arbeitsumgebung hat das Dokument nicht geöffnet (%1).")
            .arg(shellErrorMessage(code));
    }
}
