#pragma once
#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

// The dialog of "Reorganizar Tabelas de Dados": an explanation, the choice of giving back the
// space of deleted rows, a gauge with its caption, and the buttons that start the reorganisation
// (ReorganizaTabelas) and close the dialog. While the reorganisation runs, the buttons are
// disabled and the dialog cannot be closed.
class TFoIndexa final : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 11095;

    // ArquivoIndices: the index file the reorganisation reads; empty means the program's own.
    explicit TFoIndexa(QWidget* Pai = nullptr, const QString& ArquivoIndices = QString());

public slots:
    void BbReorganizarClick();
    void reject() override;   // refused while the reorganisation runs, as is closing

private:
    QString FArquivoIndices;
    bool FReorganizando = false;
    QCheckBox* CbLimparExclusoes;
    QLabel* LbProgresso;
    QProgressBar* Gauge;
    QPushButton* BbReorganizar;
    QPushButton* BbFechar;
};

// Shows the dialog modally; every collection must be closed before (the main window does it).
void MostraReorganizacao(QWidget* Dono = nullptr);
