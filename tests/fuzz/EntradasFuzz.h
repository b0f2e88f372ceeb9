#pragma once
#include <cstddef>
#include <cstdint>

// The entry points shared by the libFuzzer targets and the test that replays their corpus. Each
// writes the bytes to a file of the program folder (PRUV2003_HOME) and imports it; the stored
// data are put back afterwards, so that runs do not depend on each other. A run that breaks an
// invariant of the import (the two files of the error log out of step, a count that does not
// match the log) aborts, so that the fuzzer reports it.

// A file in the delivery layout. When the first byte is below 0x10 it is not part of the file but
// chooses the run: bit 0 a recorded file of this program, bit 1 the layout of two-digit years,
// bit 2 a person as the declarant chosen, bit 3 the answer No to the question about a stored
// declaration (Yes otherwise).
int ImportaEntregaFuzz(const std::uint8_t* Dados, std::size_t Tamanho);

// An income-statement file, into a stored declaration with beneficiaries of its own.
int ImportaComprovantesFuzz(const std::uint8_t* Dados, std::size_t Tamanho);
