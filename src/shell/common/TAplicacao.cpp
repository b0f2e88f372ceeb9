#include "shell/common/TAplicacao.h"

#include <QProxyStyle>

#include "platform/files/TPastas.h"
#include "shell/common/ExcecaoAplicacao.h"
#include "shell/common/TAjudaContextual.h"

namespace {

class TEstiloPruv final : public QProxyStyle {
public:
    int styleHint(StyleHint dica, const QStyleOption* opcao, const QWidget* controle,
                  QStyleHintReturn* retorno) const override
    {
        if (dica == SH_ToolTip_WakeUpDelay)
            return TAplicacao::PausaDica;
        return QProxyStyle::styleHint(dica, opcao, controle, retorno);
    }
};

}   // namespace

TAplicacao::TAplicacao(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setStyle(new TEstiloPruv);   // the application owns it
    installEventFilter(new TAjudaContextual(this));
    TPastas::DirecionaConfiguracoesQt();
}

bool TAplicacao::notify(QObject* receptor, QEvent* evento)
{
    try {
        return QApplication::notify(receptor, evento);
    } catch (...) {
        ExcecaoAplicacao::Trata(std::current_exception());
        return false;
    }
}
