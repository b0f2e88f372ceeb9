#pragma once
#include <QDialog>
#include <QUrl>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;

// The about box, "Sobre a Pruv 2003": the program's title, its version, a small animation and
// the link to the maker's web site.
class TFoSobre final : public QDialog {
    Q_OBJECT
public:
    static const QString TextoVersao;

    explicit TFoSobre(QWidget* parent = nullptr);

    // Opens a web address in the desktop's browser; tests put a recorder in its place.
    static std::function<bool(const QUrl&)> AbreEndereco;

    QLabel* LabelVersao;
    QLabel* LbSite;
    QPushButton* BitBtn2;
    QWidget* PaintBox1;
    QTimer* Timer1;   // the flag's waving
    QTimer* Timer2;   // the paint box's sweep

protected:
    void showEvent(QShowEvent* evento) override;
    void hideEvent(QHideEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void LbSiteClick();

    int FFaseBandeira = 0;
    int FFaseVarredura = 0;
};

// Shows the about box modally and frees it; the default cursor afterwards.
void MostraSobre(QWidget* Dono = nullptr);
