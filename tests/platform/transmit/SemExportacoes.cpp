// A library that loads but has none of the transmission program's exports.
extern "C" __attribute__((visibility("default"))) int Versao()
{
    return 200301;
}
