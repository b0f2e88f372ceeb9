// A stand-in for the transmission program's libraries, loaded by the tests through the real
// loader. Built once and linked under each library's name, so the three names share one state.
//
// EnviarDeclaracao reads the file it is given: its first line is the result to answer, the rest
// the message; a first line "cheio" fills the whole message buffer without a terminator.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {
void (*gauge)(std::int32_t) = nullptr;
}

extern "C" {

__attribute__((visibility("default"))) void SetaGaugeTransmissao(void (*novo)(std::int32_t))
{
    gauge = novo;
}

__attribute__((visibility("default"))) std::int32_t EnviarDeclaracao(char* arquivo, char* mensagem)
{
    std::FILE* f = std::fopen(arquivo, "rb");
    if (!f) {
        std::strcpy(mensagem, "arquivo inexistente");
        return 2;
    }
    char conteudo[2048] = {};
    const std::size_t lidos = std::fread(conteudo, 1, sizeof conteudo - 1, f);
    std::fclose(f);
    conteudo[lidos] = '\0';
    for (const std::int32_t percentual : {0, 50, 100}) {
        if (gauge)
            gauge(percentual);
    }
    if (std::strncmp(conteudo, "cheio", 5) == 0) {
        std::memset(mensagem, 'x', 1024);
        return 0;
    }
    const char* quebra = std::strchr(conteudo, '\n');
    std::strncpy(mensagem, quebra ? quebra + 1 : "", 1023);
    std::int32_t resultado = 0;
    std::sscanf(conteudo, "%d", &resultado);
    return resultado;
}

// Authentic unless the CRC is "0".
__attribute__((visibility("default"))) unsigned char VA5(const char*, const char*, const char* crc, std::int32_t,
                                                         std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                                         std::int32_t)
{
    return std::strcmp(crc, "0") != 0;
}

}   // extern "C"
