#include "platform/db/datasets/TBatchMove.h"

#include <sqlite3.h>

#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/datasets/TControlesDesligados.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/datasets/TTable.h"
#include "platform/db/sqlite/TTransacao.h"

namespace {

bool ViolaChave(const EDBEngineError& erro)
{
    return (erro.Codigo() & 0xFF) == SQLITE_CONSTRAINT;
}

}   // namespace

void TBatchMove::Execute()
{
    FMovedCount = FKeyViolCount = FProblemCount = 0;
    if (!Source || !Destination)
        throw EDatabaseError(QStringLiteral("A batch move needs a source and a destination"));
    if (Mode != batAppend)
        throw EDatabaseError(QStringLiteral("Only appending batch moves are supported"));
    const bool abriuOrigem = !Source->Active();
    const bool abriuDestino = !Destination->Active();
    Source->Open();
    Destination->Open();
    {
        const TControlesDesligados origemDesligada(*Source);
        const TControlesDesligados destinoDesligado(*Destination);
        TTransacao transacao(*Destination->Database());
        const int campos = std::min(Source->FieldCount(), Destination->FieldCount());
        Source->First();
        while (!Source->Eof() && (RecordCount == 0 || FMovedCount + FKeyViolCount + FProblemCount < RecordCount)) {
            Destination->Append();
            try {
                for (int i = 0; i < campos; ++i) {
                    TField* destino = Destination->Fields(i);
                    if (destino->FieldKind() == fkData)
                        destino->SetValue(Source->Fields(i)->Value());
                }
                Destination->Post();
                ++FMovedCount;
            } catch (const EDBEngineError& erro) {
                Destination->Cancel();
                if (!ViolaChave(erro))
                    throw;
                ++FKeyViolCount;
                if (AbortOnKeyViol)
                    throw;
            } catch (const EDatabaseError&) {
                Destination->Cancel();
                ++FProblemCount;
                if (AbortOnProblem)
                    throw;
            }
            Source->Next();
        }
        transacao.Confirma();
    }
    if (abriuOrigem)
        Source->Close();
    if (abriuDestino)
        Destination->Close();
}
