// Counts the GDI objects of a running program, for the tests: under Wine
// GetGuiResources answers nothing, so the count is read from the program's
// own table of GDI handles (its process block names the table), one entry
// per live object. Prints the count for the first process of the given
// file name, e.g. "gdi_count Velmora.exe"; exits with 1 if there is none.
//
// Built 64-bit only, and right for programs of both widths: Wine keeps the
// table's address in a program's 64-bit process block, also for a 32-bit
// program (whose 32-bit block leaves the field empty), and a 64-bit caller
// is given that block for every process. A 32-bit counter would be given the
// 32-bit block and find no table.

#include <windows.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

// One entry of the table, as Wine (and Windows) lay it out.
struct HandleEntry {
    UINT64 object;
    UINT32 owner;
    UINT16 unique;
    UINT8 type;
    UINT8 extraType;
    UINT64 userPointer;
};
static_assert(sizeof(HandleEntry) == 24);
static_assert(sizeof(void*) == 8, "the counter reads 64-bit process blocks");

constexpr std::size_t HandleCount = 0x10000;

DWORD findProcess(const wchar_t* name)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, name) == 0)
            found = entry.th32ProcessID;
    CloseHandle(snapshot);
    return found;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
        return 2;
    const DWORD id = findProcess(argv[1]);
    HANDLE process = id ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id) : nullptr;
    if (!process)
        return 1;
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return 1;
    // The table's address: the 64-bit process block's GdiSharedHandleTable.
    const auto field = reinterpret_cast<const char*>(basic.PebBaseAddress) + 0xF8;
    void* table = nullptr;
    if (!ReadProcessMemory(process, field, &table, sizeof table, nullptr) || !table)
        return 1;
    std::vector<HandleEntry> entries(HandleCount);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(HandleEntry), nullptr))
        return 1;
    std::size_t live = 0;
    for (const HandleEntry& entry : entries)
        live += entry.type != 0 ? 1 : 0;
    std::printf("%zu\n", live);
    return 0;
}
