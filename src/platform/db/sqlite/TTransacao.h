#pragma once

class TDatabase;

// One transaction on the database, for the life of the object: rolled back by the destructor
// unless Confirma was called, so a failure leaves every table as it was.
//     TTransacao t(banco);
//     ...writes...
//     t.Confirma();
// Nested inside another transaction it is a savepoint of it.
class TTransacao {
public:
    explicit TTransacao(TDatabase& banco);
    ~TTransacao();
    TTransacao(const TTransacao&) = delete;
    TTransacao& operator=(const TTransacao&) = delete;

    // Commits (or releases the savepoint). Raises EDBEngineError when the commit fails; the
    // transaction is then rolled back.
    void Confirma();

private:
    TDatabase& FBanco;
    int FNivel;
    bool FAberta = true;
};
