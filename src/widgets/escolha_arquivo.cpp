#include "widgets/escolha_arquivo.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QMimeDatabase>

namespace {

// Icons and kinds from what a listing already knows: whether an entry is a folder, and its name.
class PeloNome : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& f) const override { return icon(f.isDir() ? Folder : File); }
    QString type(const QFileInfo& f) const override {
        if (f.isDir()) return QStringLiteral("Pasta");
        const QList<QMimeType> tipos = QMimeDatabase().mimeTypesForFileName(f.fileName());
        return tipos.isEmpty() ? QStringLiteral("Arquivo") : tipos.first().comment();
    }
};

}  // namespace

void escolhaSemAbrirArquivos(QFileDialog& escolha) {
    // For the program's life: a dialog's listing may still ask it while the dialog goes.
    static PeloNome* const peloNome = new PeloNome;
    escolha.setOption(QFileDialog::DontUseNativeDialog);
    escolha.setIconProvider(peloNome);
}
