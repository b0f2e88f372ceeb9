#pragma once

class TPruvItem;

// The rules that decide which values an item may keep, from its code, its declaration's year and
// its beneficiary: the collections apply them on every read and write, and the screens and
// reports ask them to show the same months and columns.
namespace RegrasDoItem {

// Month 13 (the 13th salary) holds values for the item's code in its declaration's year.
[[nodiscard]] bool MantemDecimoTerceiro(const TPruvItem& Item);
// The item's code admits deductions and its beneficiary is not a CNPJ.
[[nodiscard]] bool AdmiteDeducoes(const TPruvItem& Item);
// The item's code admits judicial values (sub judice, deposits, compensations) and its
// declaration's year stores them: from 2000 on.
[[nodiscard]] bool AdmiteJudicial(const TPruvItem& Item);

}   // namespace RegrasDoItem
