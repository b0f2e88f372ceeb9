#pragma once
#include <exception>
#include <functional>

// The last catch of an exception raised while a widget handles an event: nothing may unwind
// through the event loop. The program installs the handler that shows the error; the default
// shows what() through the dialogs seam.
class TExcecaoDeEvento final {
public:
    using TTratador = std::function<void(std::exception_ptr)>;

    static void Trata(std::exception_ptr excecao);
    // Returns the handler installed before; an empty handler goes back to the default.
    static TTratador Instala(TTratador tratador);
};
