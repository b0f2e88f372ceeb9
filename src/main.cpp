#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Pruv 2003"));
    QMainWindow janela;
    janela.setWindowTitle(QStringLiteral("Pruv 2003"));
    janela.resize(800, 600);
    janela.show();
    return app.exec();
}
