#include "components/controls/combos/TdvDBCustomComboBox.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "components/controls/combos/TdvPopupListbox.h"
#include "components/data/common/dvCommon.h"
#include "components/data/common/dvControlState.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/db/datasets/TField.h"

TdvDBCustomComboBox::TdvDBCustomComboBox(QWidget* parent)
    : TdvDBCustomCombo(parent)
{
    SetButtonStyle(TdvComboButtonStyle::cbsDownArrow);
    FItems.OnChange = [this] {
        // An existing list keeps the rows of the items, so that its index always names an item.
        if (FList && !DroppedDown())
            PreencheLista();
    };
}

TdvDBCustomComboBox::~TdvDBCustomComboBox() = default;

void TdvDBCustomComboBox::SetItems(const QStringList& linhas)
{
    FItems.Assign(linhas);
    DataChange();
}

void TdvDBCustomComboBox::SetStyle(TComboBoxStyle estilo)
{
    const bool eraSimples = FStyle == TComboBoxStyle::csSimple;
    FStyle = estilo;
    if (estilo == TComboBoxStyle::csSimple)
        SetShowButton(false);
    else if (eraSimples)
        SetShowButton(true);
    SetListOnlyStyle(IsOwnerDraw() || estilo == TComboBoxStyle::csDropDownList ? 1 : 0);
    UpdateTyping();
    update();
}

bool TdvDBCustomComboBox::IsOwnerDraw() const
{
    return FStyle == TComboBoxStyle::csOwnerDrawFixed || FStyle == TComboBoxStyle::csOwnerDrawVariable;
}

bool TdvDBCustomComboBox::HasEditableText() const
{
    if (IsOwnerDraw())
        return false;
    if (FStyle == TComboBoxStyle::csDropDownList)
        return DroppedDown() || ShowMatchText;
    return true;
}

int TdvDBCustomComboBox::ItemIndex() const
{
    return FList ? FList->ItemIndex() : FItemIndex;
}

void TdvDBCustomComboBox::SetItemIndex(int indice)
{
    FItemIndex = indice;
    if (FList)
        FList->SetItemIndex(indice);
    if (indice >= 0 && indice < FItems.Count())
        SetText(DisplayPart(indice));
    else if (indice == -1)
        SetText(QString());
}

QString TdvDBCustomComboBox::DisplayPart(int i) const
{
    const QString& item = FItems[i];
    const qsizetype tab = item.indexOf(QLatin1Char('\t'));
    return tab < 0 ? item : item.left(tab);
}

QString TdvDBCustomComboBox::StoredPart(int i) const
{
    const QString& item = FItems[i];
    const qsizetype tab = item.indexOf(QLatin1Char('\t'));
    return tab < 0 ? QString() : item.mid(tab + 1);
}

QString TdvDBCustomComboBox::ValueForText(const QString& texto) const
{
    if (!FMapList)
        return texto;
    for (int i = 0; i < FItems.Count(); ++i)
        if (DisplayPart(i) == texto)
            return StoredPart(i);
    return {};
}

QString TdvDBCustomComboBox::DisplayForValue(const QString& valor) const
{
    if (!FMapList)
        return valor;
    for (int i = 0; i < FItems.Count(); ++i)
        if (StoredPart(i) == valor)
            return DisplayPart(i);
    return {};
}

QString TdvDBCustomComboBox::Value() const
{
    if (FStyle == TComboBoxStyle::csDropDown && text().isEmpty())
        return {};
    return ValueForText(text());
}

QString TdvDBCustomComboBox::TextForField() const
{
    return Value();
}

bool TdvDBCustomComboBox::DisplayTextForValue(const QString& valor, QString& texto) const
{
    if (!FMapList)
        return false;
    texto = DisplayForValue(valor);
    return true;
}

void TdvDBCustomComboBox::SetValue(const QString& valor)
{
    if (valor == Value() && (!valor.isEmpty() || !FMapList))
        return;
    if (FStyle == TComboBoxStyle::csDropDown && !FMapList) {
        SetText(valor);
        FItemIndex = FItems.IndexOf(valor);
        if (FList)
            FList->SetItemIndex(FItemIndex);
        return;
    }
    int indice = -1;
    if (FMapList) {
        for (int i = 0; i < FItems.Count() && indice < 0; ++i)
            if (StoredPart(i) == valor)
                indice = i;
    } else if (!valor.isEmpty()) {
        indice = FItems.IndexOf(valor);
    }
    SetItemIndex(indice);
    if (indice < 0 && ItemIndex() < 0)
        SetText(QString());
}

void TdvDBCustomComboBox::DataChange()
{
    if (OptionFlags[1])
        return;
    TField* campo = Field();
    if (FMapList) {
        SetValue(campo ? campo->AsString() : (dvIsDesigning(this) ? objectName() : QString()));
        return;
    }
    if (campo) {
        SetValue(campo->DisplayText());
        if (IsOwnerDraw()) {
            FItemIndex = FItems.IndexOf(campo->Text());
            update();
        }
    }
    TdvDBCustomCombo::DataChange();
}

int TdvDBCustomComboBox::ListHeight(int alturaItem, int quantidade, int dropDownCount)
{
    return alturaItem * std::min(quantidade, dropDownCount) + 4;
}

TRect TdvDBCustomComboBox::ListBounds(const TRect& combo, int largura, int altura, const TRect& tela)
{
    TRect r{combo.Left, combo.Bottom - 1, combo.Left + largura, combo.Bottom - 1 + altura};
    if (r.Bottom > tela.Bottom) {
        r.Top = combo.Top - altura;
        r.Bottom = combo.Top;
    }
    if (r.Right >= tela.Right) {
        r.Left = combo.Right - 1 - largura;
        r.Right = r.Left + largura;
    }
    return r;
}

void TdvDBCustomComboBox::CriaLista()
{
    if (FList)
        return;
    FList = std::make_unique<TdvPopupListbox>(this);
    FList->OnOwnerKey = [this](QKeyEvent* e) {
        // Tab accepts the list and goes on as it would from the edit.
        const bool tab = e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab;
        if (tab && e->type() == QEvent::KeyPress && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            CloseUp(true);
            const bool adiante = e->key() == Qt::Key_Tab && !e->modifiers().testFlag(Qt::ShiftModifier);
            if (focusNextPrevChild(adiante))
                return;
        }
        ProcessKey(e);
    };
    FList->OnMouseUp = [this](QMouseEvent*) { CloseUp(true); };
    FList->OnHidden = [this] { ListaEscondida(); };
}

void TdvDBCustomComboBox::PreencheLista()
{
    FList->clear();
    FList->SetSorted(FItems.Sorted());
    for (int i = 0; i < FItems.Count(); ++i)
        FList->AddItem(DisplayPart(i));
}

void TdvDBCustomComboBox::DesenhaItem(QPainter& p, const QRect& r, int indice, unsigned estado)
{
    if (OnDrawItem)
        OnDrawItem(this, indice, p, r, estado);
}

void TdvDBCustomComboBox::DropDown()
{
    if (DroppedDown() || FStyle == TComboBoxStyle::csSimple)
        return;
    update();
    CriaLista();
    PreencheLista();
    if (OnDropDown) {
        OnDropDown(this);
        PreencheLista();
    }

    if (IsOwnerDraw() && OnDrawItem) {
        FList->OnDrawItem = [this](QPainter& p, const QRect& r, int indice, bool selecionado) {
            p.fillRect(r, FList->palette().color(selecionado ? QPalette::Highlight : QPalette::Base));
            DesenhaItem(p, r, indice, selecionado ? static_cast<unsigned>(odSelected) : 0u);
        };
    } else {
        FList->OnDrawItem = nullptr;
    }
    FList->setPalette(palette());
    FList->setFont(font());
    FList->SetItemHeight(ItemHeight > 0 ? ItemHeight : QFontMetrics(FList->font()).height());

    const int altura = ListHeight(FList->ItemHeight(), FItems.Count(), DropDownCount);
    const int largura = DropDownWidth > 0 ? DropDownWidth : width();
    const QString mostrado = IsOwnerDraw() && Field() ? Field()->AsString() : text();
    int destaque = -1;
    for (int i = 0; i < FList->Count() && destaque < 0; ++i)
        if (FList->ItemText(i) == mostrado)
            destaque = i;
    FList->SetItemIndex(destaque);

    const TRect combo = TRect::From(QRect(mapToGlobal(QPoint(0, 0)), size()));
    const QScreen* tela = screen();
    const TRect areaDaTela = TRect::From(tela ? tela->geometry() : QRect(0, 0, 1 << 15, 1 << 15));
    FList->ShowAt(ListBounds(combo, largura, altura, areaDaTela));

    SetDroppedDownFlag(true);
    FFirstKey = true;
    if (!FAutoDrop && HasEditableText())
        selectAll();
    FSavedToolTip = toolTip();
    setToolTip(QString());
    update();
}

void TdvDBCustomComboBox::ListaEscondida()
{
    // Closed from outside: a press elsewhere, or the application losing the activation.
    if (DroppedDown())
        CloseUp(true);
}

void TdvDBCustomComboBox::CloseUp(bool accept)
{
    if (!DroppedDown())
        return;
    if (QWidget* captura = QWidget::mouseGrabber())
        captura->releaseMouse();

    const int indiceDaLista = FList->ItemIndex();
    QString escolhido;
    if (accept && !ReadOnly() && indiceDaLista >= 0 && FList->Count() > 0)
        escolhido = FList->ItemText(indiceDaLista);
    else if (FStyle == TComboBoxStyle::csDropDown)
        escolhido = text();

    SetDroppedDownFlag(false);
    FList->hide();

    if (accept) {
        OptionFlags[1] = true;
        if (escolhido != text() && EditCanModify()) {
            if (!escolhido.isEmpty() || FStyle == TComboBoxStyle::csDropDownList || FMapList)
                SetText(escolhido);
            FItemIndex = indiceDaLista;
            SetModified(true);
            LinkModified();
        }
        OptionFlags[1] = false;
    }

    update();
    if (HasEditableText())
        selectAll();
    if (OnCloseUp)
        OnCloseUp(this, accept);
    setToolTip(FSavedToolTip);
}

bool TdvDBCustomComboBox::SelecionaItem(int i)
{
    if (!EditCanModify() || !LinkEdit())
        return false;
    SetItemIndex(i);
    SetModified(true);
    LinkModified();
    return true;
}

bool TdvDBCustomComboBox::TudoSelecionado() const
{
    return hasSelectedText() && SelLength() == text().size();
}

int TdvDBCustomComboBox::ProcuraDigitado(QChar letra)
{
    // Keys in quick succession make one text, as a list searches; after a pause, or when no item
    // starts with the text, the key starts a new one.
    const quint64 agora = CurrentKeyTime();
    const bool seguida = !FBusca.isEmpty() && agora >= FHoraDaBusca
        && agora - FHoraDaBusca <= TdvPopupListbox::PausaDaBusca;
    FHoraDaBusca = agora;
    if (seguida) {
        FBusca += letra.toUpper();
        if (const int i = ItemQueComeca(FBusca); i >= 0)
            return i;
    }
    FBusca = QString(letra.toUpper());
    return ItemQueComeca(FBusca);
}

int TdvDBCustomComboBox::ItemQueComeca(const QString& texto) const
{
    // The same letter again steps to the next item with it; a longer text stays on the item
    // shown while it still fits.
    const bool repetida = texto.count(texto.front()) == texto.size();
    const QString procurada = repetida ? QString(texto.front()) : texto;
    const int n = FItems.Count();
    const int atual = ItemIndex();
    for (int k = repetida ? 1 : 0; k < n + (repetida ? 1 : 0); ++k) {
        const int i = ((atual < 0 ? 0 : atual) + k) % n;
        if (DisplayPart(i).toUpper().startsWith(procurada))
            return i;
    }
    return -1;
}

void TdvDBCustomComboBox::WndKey(TKeyMessage& m)
{
    const bool semShift = !m.Shift.testFlag(Qt::ShiftModifier);
    if (m.Kind == TKeyMessage::WM_KEYDOWN) {
        FEngoleCaractere = false;
        const int k = m.Key;
        const bool ficaNoEdit = k == Qt::Key_Home || k == Qt::Key_End || k == Qt::Key_Left || k == Qt::Key_Right;
        if (semShift && !(DroppedDown() && ficaNoEdit)) {
            const bool estavaAberto = DroppedDown();
            DropDownKeys(m.Key, m.Shift);
            if (m.Key == 0) {
                FEngoleCaractere = estavaAberto && !DroppedDown();
                return;
            }
            if (DroppedDown()) {
                FList->ListKeyDown(m.Key);
                if (m.Key == Qt::Key_Up || m.Key == Qt::Key_Down)
                    return;
            }
        }
    } else {
        if (FEngoleCaractere) {
            FEngoleCaractere = false;
            m.Char = QChar();
            return;
        }
        if (semShift && DroppedDown()) {
            QChar paraLista = m.Char;
            FList->ListKeyPress(paraLista);
        }
    }
    TdvDBCustomCombo::WndKey(m);
}

void TdvDBCustomComboBox::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const bool alt = shift.testFlag(Qt::AltModifier);
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    if (!DroppedDown() && AutoDropDown && dvIsEditKey(key) && key != Qt::Key_Backspace && key != Qt::Key_Delete
        && !alt) {
        FAutoDrop = true;
        DropDown();
        FAutoDrop = false;
    }

    const bool apaga = key == Qt::Key_Delete || key == Qt::Key_Backspace || (ctrl && key == Qt::Key_X);
    if (ShowMatchText && FStyle == TComboBoxStyle::csDropDownList && apaga) {
        if (AllowClearKey && TudoSelecionado()) {
            if (EditCanModify() && LinkEdit()) {
                SetItemIndex(-1);
                SetModified(true);
                LinkModified();
            }
            key = 0;
        } else if (SelStart() > 0) {
            SetSel(static_cast<int>(text().size()), SelStart() - 1);
            key = 0;
        }
    } else if (!DroppedDown() && !dvIsParentCustomGrid(this) && !alt && (key == Qt::Key_Down || key == Qt::Key_Up)) {
        const int i = ItemIndex() + (key == Qt::Key_Down ? 1 : -1);
        if (i >= 0 && i < FItems.Count())
            SelecionaItem(i);
        selectAll();
        key = 0;
    } else if (!DroppedDown() && !ShowMatchText && !HasEditableText() && dvIsEditKey(key)) {
        // Only a key that types a printable character searches: Delete and Backspace carry key
        // codes beyond the characters, not characters.
        if (key <= 0xFFFF && QChar(static_cast<char16_t>(key)).isPrint()) {
            const int i = ProcuraDigitado(QChar(static_cast<char16_t>(key)));
            if (i >= 0)
                SelecionaItem(i);
        }
    } else if (DroppedDown() && (FStyle != TComboBoxStyle::csDropDown || AutoDropDown) && FFirstKey && dvIsEditKey(key)
               && TudoSelecionado()) {
        LinkEdit();
        SetText(QString());
        FFirstKey = false;
    }
    if (key != 0)
        TdvDBCustomCombo::KeyDown(key, shift);
}

void TdvDBCustomComboBox::KeyPress(QChar& key)
{
    const ushort u = key.unicode();
    if (FStyle == TComboBoxStyle::csDropDownList && ShowMatchText && (u == 8 || u == 24)) {
        key = QChar();
        return;
    }
    if (ShowMatchText && u >= 32 && u <= 254) {
        const QString texto = text();
        const int inicio = SelStart();
        const QString candidato = texto.left(inicio) + key + texto.mid(inicio + SelLength());
        if (candidato != texto && inicio >= candidato.size() - 1) {
            const int n = FItems.Count();
            const int partida = std::max(0, ItemIndex());
            int achado = -1;
            for (int k = 0; k < n && achado < 0; ++k) {
                const int i = (partida + k) % n;
                if (DisplayPart(i).toUpper().startsWith(candidato.toUpper()))
                    achado = i;
            }
            if (achado >= 0) {
                if (SelecionaItem(achado))
                    SetSel(static_cast<int>(text().size()), static_cast<int>(candidato.size()));
                key = QChar();
                return;
            }
            if (FStyle == TComboBoxStyle::csDropDownList || DroppedDown()) {
                key = QChar();
                return;
            }
        }
    }
    const bool preencheData = AutoFillDate();
    if (FMapList)
        SetAutoFillDate(false);
    // A field shown other than it is edited: a key that sends the caret home keeps the selection.
    const TField* campo = Field();
    const bool textoDiferente = !FMapList && campo && campo->DataSet() && campo->DataSet()->State() == dsBrowse
        && campo->AsString() != campo->DisplayText();
    const int inicioAntes = SelStart();
    const int tamanhoAntes = SelLength();
    TdvDBCustomCombo::KeyPress(key);
    SetAutoFillDate(preencheData);
    if (textoDiferente && SelStart() == 0)
        SetSel(inicioAntes, inicioAntes + tamanhoAntes);
    if (key.unicode() == 13)
        key = QChar();
}

void TdvDBCustomComboBox::KeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (AllowClearKey && (key == Qt::Key_Delete || key == Qt::Key_Backspace)) {
        if (!DroppedDown() && FStyle == TComboBoxStyle::csDropDownList && !ShowMatchText) {
            if (EditCanModify() && LinkEdit()) {
                SetItemIndex(-1);
                SetModified(true);
                LinkModified();
            }
        } else if (DroppedDown() && text().isEmpty()) {
            SetItemIndex(-1);
        }
    }
    TdvDBCustomCombo::KeyUp(key, shift);
}

void TdvDBCustomComboBox::CMExit()
{
    if (DroppedDown())
        CloseUp(true);
    TdvDBCustomCombo::CMExit();
}

void TdvDBCustomComboBox::WMCut()
{
    if (FStyle == TComboBoxStyle::csDropDownList && ShowMatchText && !AllowClearKey)
        return;
    TdvDBCustomCombo::WMCut();
}

void TdvDBCustomComboBox::WMClear()
{
    if (FStyle == TComboBoxStyle::csDropDownList && ShowMatchText && !AllowClearKey)
        return;
    TdvDBCustomCombo::WMClear();
}

void TdvDBCustomComboBox::paintEvent(QPaintEvent* e)
{
    if (!(IsOwnerDraw() && OnDrawItem)) {
        TdvDBCustomCombo::paintEvent(e);
        return;
    }
    QPainter p(this);
    const QRect r = EditRect().ToQRect().translated(ClientRect().topLeft());
    if (DroppedDown())
        p.fillRect(r, palette().color(QPalette::Base));
    DesenhaItem(p, r, FItemIndex, odFocused);
    if (Frame().IsFrameEffective())
        DrawFrame(p);
}
