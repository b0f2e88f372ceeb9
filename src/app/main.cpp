#include "app/Programa.h"
#include "shell/TAplicacao.h"

int main(int argc, char* argv[])
{
    TAplicacao app(argc, argv);
    return ExecutaPrograma();
}
