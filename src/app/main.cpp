#include "app/Programa.h"
#include "platform/ui/TTraducaoQt.h"
#include "shell/common/TAplicacao.h"

int main(int argc, char* argv[])
{
    // Before the application object: the locale Qt's standard dialogs read from the environment.
    TTraducaoQt::PreparaAmbiente();
    TAplicacao app(argc, argv);
    return ExecutaPrograma();
}
