#pragma once
#include <QApplication>

// The program's application object. An exception that an event handler lets out stops here and
// goes to the handler that ExcecaoAplicacao holds (the main window's): nothing unwinds through
// Qt's event loop. Hints show after the mouse rests 400 ms. F1 opens the help of the focused
// control in every window; with PRUV2003_HOME set, Qt's own settings stay in that folder.
class TAplicacao final : public QApplication {
    Q_OBJECT
public:
    static constexpr int PausaDica = 400;

    TAplicacao(int& argc, char** argv);

    bool notify(QObject* receptor, QEvent* evento) override;
};
