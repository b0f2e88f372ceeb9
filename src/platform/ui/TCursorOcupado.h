#pragma once

// Shows the busy cursor for its lifetime, through the installed activity seam; the normal
// cursor comes back on every way out of the scope.
class TCursorOcupado {
public:
    TCursorOcupado();
    ~TCursorOcupado();
    TCursorOcupado(const TCursorOcupado&) = delete;
    TCursorOcupado& operator=(const TCursorOcupado&) = delete;
};
