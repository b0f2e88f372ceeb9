#pragma once
#include <cstddef>
#include <cstdint>

// The entry points shared by the libFuzzer targets and the test that replays their corpus. Each
// writes the bytes to a file of the program folder (PRUV2003_HOME) and reads it as one file
// that comes from outside; runs do not depend on each other. A run that breaks an invariant
// aborts, so that the fuzzer reports it.

// For the targets: a program folder in shared memory (a temporary folder elsewhere) and
// databases in memory. Returns 0, as LLVMFuzzerInitialize does.
int PreparaProgramaFuzz();

// The importers: the stored data are put back after each run. Broken invariants: the two files
// of the error log out of step, a count that does not match the log.

// A file in the delivery layout. When the first byte is below 0x10 it is not part of the file but
// chooses the run: bit 0 a recorded file of this program, bit 1 the layout of two-digit years,
// bit 2 a person as the declarant chosen, bit 3 the answer No to the question about a stored
// declaration (Yes otherwise).
int ImportaEntregaFuzz(const std::uint8_t* Dados, std::size_t Tamanho);

// An income-statement file, into a stored declaration with beneficiaries of its own.
int ImportaComprovantesFuzz(const std::uint8_t* Dados, std::size_t Tamanho);

// A delivery file: its declaration unpacked and checked against the header's CRC, then its
// receipt data unpacked and read. Nothing is written outside the target folder, a failed unpack
// leaves no file, an unpacked declaration gives the header's CRC.
int DescompactaEntregaFuzz(const std::uint8_t* Dados, std::size_t Tamanho);

// A backup archive, through the restore up to its checks: unpacked, and its database checked
// and counted. Nothing outside the target folder, no file after a failure, members within bounds.
int RestauraCopiaFuzz(const std::uint8_t* Dados, std::size_t Tamanho);

// A receipt file of a transmission (checked as certified by a library that vouches for all, and
// with none), and the same bytes read as receipt data.
int LeReciboFuzz(const std::uint8_t* Dados, std::size_t Tamanho);

// An INI file and one write into it (the first three bytes choose section, key and spelling):
// a refused write leaves the file as it was, an accepted one reads back as written and keeps
// every other line.
int EscreveIniFuzz(const std::uint8_t* Dados, std::size_t Tamanho);
