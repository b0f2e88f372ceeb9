#include "platform/widgets/windows/TDialogoArquivo.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

namespace {

// Where the columns together are wider than the list: the dialog grows by the difference, as
// far as the screen allows, and the first column (the names) gives up the rest, down to its title.
void CabemAsColunas(QFileDialog& dialogo, QTreeView& lista, int tituloDoPrimeiro)
{
    QHeaderView* titulos = lista.header();
    int excesso = titulos->length() - lista.viewport()->width();
    if (excesso <= 0)
        return;
    const QScreen* tela = dialogo.screen();
    const int livre = tela ? tela->availableGeometry().width() - dialogo.frameGeometry().width() : 0;
    if (const int cresce = std::clamp(excesso, 0, livre); cresce > 0) {
        dialogo.resize(dialogo.width() + cresce, dialogo.height());
        excesso -= cresce;
    }
    const int primeira = titulos->logicalIndex(0);
    if (excesso > 0 && primeira >= 0)
        titulos->resizeSection(primeira, std::max(tituloDoPrimeiro, titulos->sectionSize(primeira) - excesso));
}

// The widest text that column c shows in the folder listed (its first rows: a folder of thousands of
// files is not measured whole).
int LarguraDosValores(const QTreeView& lista, int c)
{
    const QAbstractItemModel* modelo = lista.model();
    const QModelIndex pasta = lista.rootIndex();
    const int linhas = std::min(modelo->rowCount(pasta), 200);
    // The list draws each text inside a frame margin and a text margin on both sides.
    const int folga = 2 * (lista.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &lista) + 1) + 2;
    int largura = 0;
    for (int r = 0; r < linhas; ++r)
        largura = std::max(largura,
                           lista.fontMetrics().horizontalAdvance(modelo->index(r, c, pasta).data().toString()));
    return largura + folga;
}

// Each column as wide as its title at least, and every column but the names as wide as what it
// shows; then the dialog shows every column whole.
void AjustaColunas(QFileDialog& dialogo)
{
    for (QTreeView* lista : dialogo.findChildren<QTreeView*>()) {
        QHeaderView* titulos = lista->header();
        const QAbstractItemModel* modelo = titulos->model();
        if (!modelo)
            continue;
        const int margem = 2 * titulos->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, titulos);
        int tituloDoPrimeiro = 0;
        for (int c = 0; c < titulos->count(); ++c) {
            int precisa = titulos->fontMetrics().horizontalAdvance(modelo->headerData(c, Qt::Horizontal).toString())
                + margem + 2;
            if (titulos->visualIndex(c) == 0)
                tituloDoPrimeiro = precisa;
            else
                precisa = std::max(precisa, LarguraDosValores(*lista, c) + margem);
            if (!titulos->isSectionHidden(c) && titulos->sectionSize(c) < precisa)
                titulos->resizeSection(c, precisa);
        }
        if (lista->isVisible())
            CabemAsColunas(dialogo, *lista, tituloDoPrimeiro);
    }
}

// Once the dialog shows (it lays its columns out, from its saved state too), and again once the
// folder's files are listed (they arrive after it shows), its columns are fitted.
void AlargaTitulos(QFileDialog& dialogo)
{
    QPointer<QFileDialog> vivo(&dialogo);
    const auto ajusta = [vivo] {
        if (vivo)
            AjustaColunas(*vivo);
    };
    QTimer::singleShot(0, &dialogo, ajusta);
    if (auto* arquivos = dialogo.findChild<QFileSystemModel*>())
        QObject::connect(arquivos, &QFileSystemModel::directoryLoaded, &dialogo, ajusta, Qt::QueuedConnection);
}

QString Escolhe(QFileDialog& dialogo, const QString& caminho, QString* escolhido)
{
    const QFileInfo info(caminho);
    if (!caminho.isEmpty() && !info.isDir()) {
        dialogo.setDirectory(info.absolutePath());
        dialogo.selectFile(info.fileName());
    } else if (!caminho.isEmpty()) {
        dialogo.setDirectory(caminho);
    }
    if (escolhido && !escolhido->isEmpty())
        dialogo.selectNameFilter(*escolhido);
    AlargaTitulos(dialogo);
    if (dialogo.exec() != QDialog::Accepted)
        return QString();
    if (escolhido)
        *escolhido = dialogo.selectedNameFilter();
    return dialogo.selectedFiles().value(0);
}

}   // namespace

QString TDialogoArquivo::Abre(QWidget* dono, const QString& caminho, const QString& filtros)
{
    QFileDialog dialogo(dono, QString(), QString(), filtros);
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    return Escolhe(dialogo, caminho, nullptr);
}

QString TDialogoArquivo::Salva(QWidget* dono, const QString& caminho, const QString& filtros, QString* escolhido)
{
    QFileDialog dialogo(dono, QString(), QString(), filtros);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    return Escolhe(dialogo, caminho, escolhido);
}
