// The state file: the master data and the completed list between runs.
#include "catalogue/statefile.h"
#include "frmmain.h"
#include "platform/atomicfile.h"
#include "platform/dialogs.h"

#include <QFile>
#include <QLineEdit>

void frmMain::setMasterData(const MasterData &data)
{
    for (int i = 1; i <= 9; ++i) {
        txtMenge[i]->setText(data.packages[i - 1].menge);
        txtMengenart[i]->setText(data.packages[i - 1].mengenart);
        txtFAP[i]->setText(data.packages[i - 1].fap);
    }
    AName->setText(data.name);
}

void frmMain::LoadProp()
{
    if (!folders_.problem().isEmpty())
        platform_.dialogs.warning(title_, folders_.problem() +
                                              QStringLiteral(" Was Sie in dieser Sitzung eingeben, "
                                                             "kann nicht gespeichert werden."));
    QFile file(folders_.own(QStringLiteral("vra.prop")));
    if (!file.exists()) {
        // A first start leaves an empty file; the fields keep their texts.
        if (file.open(QIODevice::WriteOnly))
            file.close();
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        keepStateFile_ = true;
        platform_.dialogs.warning(
            title_, QStringLiteral("Die gespeicherten Eingaben (%1) konnten nicht gelesen werden: "
                                   "%2.\n\nDie Datei bleibt unverändert; was Sie in dieser "
                                   "Sitzung eingeben, wird nicht darin gespeichert.")
                        .arg(file.fileName(), file.errorString()));
        return;
    }
    MasterData data = masterData();
    QString completed = Bearbeitet->text();
    StateFile::apply(StateFile::read(file), data, completed);
    setMasterData(data);
    Bearbeitet->setText(completed);
}

bool frmMain::SaveProp()
{
    if (keepStateFile_)
        return true;
    saveError_ =
        AtomicFile::write(folders_.own(QStringLiteral("vra.prop")),
                          StateFile::encode(StateFile::lines(masterData(), Bearbeitet->text())));
    return saveError_.isEmpty();
}
