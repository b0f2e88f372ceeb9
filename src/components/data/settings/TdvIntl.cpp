#include "components/data/settings/TdvIntl.h"

#include "components/data/common/EInvalidOperation.h"
#include "components/data/common/dvBeep.h"
#include "components/data/common/dvCommon.h"

TdvIntl& dvIntl()
{
    static TdvIntl global;
    return global;
}

int dvGetFilterMemoSize()
{
    return dvIntl().FilterMemoSize;
}

void TdvIntl::SetCheckBoxInGridStyle(TdvCheckBoxInGridStyle valor)
{
    FCheckBoxInGridStyle = valor;
    TdvIntl& global = dvIntl();
    if (FConnected && this != &global)
        global.SetCheckBoxInGridStyle(valor);
}

void TdvIntl::SetConnected(bool valor)
{
    FConnected = valor;
    if (valor)
        CopyToGlobal();
}

void TdvIntl::Loaded()
{
    if (FConnected)
        CopyToGlobal();
}

void TdvIntl::CopyToGlobal() const
{
    TdvIntl& global = dvIntl();
    if (this == &global)
        return;
    global.ADO = ADO;
    global.Navigator = Navigator;
    global.SearchDialog = SearchDialog;
    global.LocateDialog = LocateDialog;
    global.MonthCalendar = MonthCalendar;
    global.FilterDialog = FilterDialog;
    global.RichEdit = RichEdit;
    global.UserMessages = UserMessages;
    global.BtnOKCaption = BtnOKCaption;
    global.BtnCancelCaption = BtnCancelCaption;
    global.OKCancelBitmapped = OKCancelBitmapped;
    global.DialogFontStyle = DialogFontStyle;
    global.UseLocateMethodForSearch = UseLocateMethodForSearch;
    global.DefaultEpochYear = DefaultEpochYear;
    global.FilterMemoSize = FilterMemoSize;
    global.ReopenOnResetRange = ReopenOnResetRange;
    global.OnValidationErrorUsingMask = OnValidationErrorUsingMask;
    global.SetCheckBoxInGridStyle(FCheckBoxInGridStyle);
    const QString ini = QStringLiteral(".ini");
    global.IniFileName = (IniFileName.isEmpty() || IniFileName == ini) ? QString() : IniFileName + ini;
}

void TdvIntl::ValidationErrorUsingMask(QObject* control, TField* field)
{
    QString mensagem = QStringLiteral("Invalid input value.  Use escape key to abandon changes");
    bool padrao = true;
    if (OnValidationErrorUsingMask)
        OnValidationErrorUsingMask(control, field, mensagem, padrao);
    if (padrao) {
        dvBeep();
        throw EInvalidOperation(mensagem);
    }
}

TdvDialogButtonSpec TdvIntl::DialogButtonSpec(TdvDialogButtonKind kind, int pixelsPerInch) const
{
    TdvDialogButtonSpec botaoDef;
    botaoDef.Bitmapped = OKCancelBitmapped;
    botaoDef.Width = dvScaleForPixelsPerInch(77, pixelsPerInch);
    botaoDef.Height = dvScaleForPixelsPerInch(OKCancelBitmapped ? 27 : 24, pixelsPerInch);
    botaoDef.FontStyle = DialogFontStyle;
    switch (kind) {
    case TdvDialogButtonKind::bkOK:
        botaoDef.Caption = BtnOKCaption;
        botaoDef.ModalResultOk = true;
        break;
    case TdvDialogButtonKind::bkCancel:
        botaoDef.Caption = BtnCancelCaption;
        botaoDef.ModalResultCancel = true;
        botaoDef.Cancel = true;
        break;
    case TdvDialogButtonKind::bkHelp:
        botaoDef.Caption = QStringLiteral("Help");
        break;
    }
    return botaoDef;
}
