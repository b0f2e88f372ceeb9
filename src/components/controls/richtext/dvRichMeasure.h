#pragma once
#include <QString>

// Margins, indents and tab stops of the rich-text family are kept in twips (1440 per inch) and
// shown in the control's unit. A centimetre is 1440 / 2.537 twips, as the dialogs have always
// counted it. Numbers are written with the program's decimal comma; a point is read as well.
enum class TdvMeasurementUnits { muInches, muCentimeters };

constexpr int TwipsPorPolegada = 1440;
constexpr double CentimetrosPorPolegada = 2.537;
// The largest indent or tab stop the dialogs accept, either way: 22 inches.
constexpr int MedidaMaximaTwips = 31680;

// The value followed by "''" (inches) or " cm".
[[nodiscard]] QString dvFormatMeasurement(double valor, TdvMeasurementUnits unidade);
// Rounded to divisions per unit (0: 8 per inch, 20 per centimetre), as the dialogs show them.
[[nodiscard]] QString dvFormatMeasurementRounded(double valor, TdvMeasurementUnits unidade, int divisoes = 0);
// Twips of a text in the unit, trailing blanks, apostrophes and c/m letters removed; false when
// what is left is not a number.
[[nodiscard]] bool dvParseMeasurement(const QString& texto, TdvMeasurementUnits unidade, int& twips);
// A valid number whose twips lie within -31680 to 31680.
[[nodiscard]] bool dvMeasurementInRange(const QString& texto, TdvMeasurementUnits unidade,
                                        int minimo = -MedidaMaximaTwips);
// Twips in the unit, to two decimals.
[[nodiscard]] double dvTwipsToMeasurement(int twips, TdvMeasurementUnits unidade);
// A plain number with the decimal comma; false for anything else.
[[nodiscard]] bool dvParseNumber(const QString& texto, double& valor);
[[nodiscard]] QString dvFormatNumber(double valor);
