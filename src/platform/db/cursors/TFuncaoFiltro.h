#pragma once

struct sqlite3;
struct sqlite3_value;

// The SQL function through which a cursor puts its dataset's record filters into the WHERE of
// its walk: SQLite calls it for each row it would otherwise hand over, and the rows it refuses
// never leave the engine. Its first argument is the cursor's IAvaliador, bound as a pointer
// that only this function can read; the others are the columns the filters may read.
class TFuncaoFiltro {
public:
    static constexpr char Nome[] = "pruv_aceita_registro";
    static constexpr char TipoPonteiro[] = "pruv_avaliador";

    class IAvaliador {
    public:
        // 1 takes the row, 0 refuses it, -1 stops the statement (the avaliador keeps why).
        // Throws nothing: SQLite's frames lie between the step and this call.
        virtual int Avalia(int argumentos, sqlite3_value** valores) noexcept = 0;

    protected:
        ~IAvaliador() = default;
    };

    // Registers the function on the connection once; later calls cost a look-up.
    static void Registra(sqlite3* conexao);
};
