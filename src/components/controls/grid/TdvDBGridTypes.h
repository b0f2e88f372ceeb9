#pragma once
#include <cstdint>

#include "platform/db/sqlite/TFieldType.h"

// Behaviour switches of the library's data-aware grid.
enum TdvDBGridOption : std::uint32_t {
    dgEditing = 1u << 0,
    dgAlwaysShowEditor = 1u << 1,
    dgTitles = 1u << 2,
    dgIndicator = 1u << 3,
    dgColumnResize = 1u << 4,
    dgColLines = 1u << 5,
    dgRowLines = 1u << 6,
    dgTabs = 1u << 7,
    dgRowSelect = 1u << 8,
    dgAlwaysShowSelection = 1u << 9,
    dgConfirmDelete = 1u << 10,
    dgCancelOnExit = 1u << 11,
    dgWordWrap = 1u << 12,
    dgPerfectRowFit = 1u << 13,
    dgMultiSelect = 1u << 14,
    dgShowFooter = 1u << 15,
    dgFooter3DCells = 1u << 16,
    dgNoLimitColSize = 1u << 17,
    dgTrailingEllipsis = 1u << 18,
    dgShowCellHint = 1u << 19,
    dgTabExitsOnLastCol = 1u << 20,
};
using TdvDBGridOptions = std::uint32_t;

constexpr TdvDBGridOptions dvDBGridDefaultOptions = dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines
    | dgRowLines | dgTabs | dgConfirmDelete | dgCancelOnExit | dgWordWrap;

enum TdvDBGridKeyOption : std::uint8_t { dgEnterToTab = 1u << 0, dgAllowDelete = 1u << 1, dgAllowInsert = 1u << 2 };
using TdvDBGridKeyOptions = std::uint8_t;

enum TdvMultiSelectOption : std::uint8_t { msoAutoUnselect = 1u << 0, msoShiftSelect = 1u << 1 };
using TdvMultiSelectOptions = std::uint8_t;

enum class TdvIndicatorColor : std::uint8_t { icBlack, icYellow };

// The image of a title cell, as OnCalcTitleImage may change it: Alignment taLeftJustify puts
// the image left of the text, taRightJustify right of it, taCenter centres it without text.
struct TdvTitleImageAttributes {
    int ImageIndex = -1;
    TAlignment Alignment = taRightJustify;
    int Margin = 3;
};
