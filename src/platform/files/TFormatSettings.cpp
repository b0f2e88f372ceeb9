#include "platform/files/TFormatSettings.h"

const TFormatSettings& TFormatSettings::Programa()
{
    static const TFormatSettings fixos;
    return fixos;
}
