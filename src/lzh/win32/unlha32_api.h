// The archiver library's exported interface: stdcall functions exported without decoration,
// Shift-JIS strings, and the classic packed entry record.
#pragma once
#include <windows.h>

#include <cstddef>

extern "C" {

typedef HGLOBAL HARC;

#pragma pack(push, 1)
struct INDIVIDUALINFO {
  DWORD dwOriginalSize;    // 4 GiB and more show as 0xFFFFFFFF
  DWORD dwCompressedSize;
  DWORD dwCRC;             // the member's CRC-16
  UINT uFlag;              // 0
  UINT uOSType;            // 0 MS-DOS, 2 Unix, 3 Amiga, 4 Mac, 5 OS/2, 7 Atari, 11 OS-9, 14 X68000, 18 Win32
  WORD wRatio;             // packed / original in per mille
  WORD wDate;              // DOS date and time, local time
  WORD wTime;
  char szFileName[513];    // folders and name, "/" between folders
  char dummy1[3];
  char szAttribute[8];     // e.g. "-a---"
  char szMode[8];          // method, e.g. "-lh5-"
};
#pragma pack(pop)
static_assert(sizeof(INDIVIDUALINFO) == 558, "the record layout is fixed");
static_assert(offsetof(INDIVIDUALINFO, szFileName) == 26, "the name starts at byte 26");

// Runs a command line (" e -ma1 "arc" "dest\" "*.*" ", " l -x1 "arc" ", " a -a1 "arc" "file" ").
// Returns 0 or an error code of the 0x8000 range; `output` gets the listing or a report.
int WINAPI Unlha(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize);
WORD WINAPI UnlhaGetVersion(void);
// Non-zero while a call of Unlha is running.
BOOL WINAPI UnlhaGetRunning(void);
// Opens an archive for FindFirst/FindNext; 0 when it cannot be opened or is not an archive.
HARC WINAPI UnlhaOpenArchive(HWND owner, LPCSTR archive, DWORD mode);
int WINAPI UnlhaCloseArchive(HARC archive);
// 0 when a member matching `pattern` was found, -1 after the last one, else an error code.
int WINAPI UnlhaFindFirst(HARC archive, LPCSTR pattern, INDIVIDUALINFO* info);
int WINAPI UnlhaFindNext(HARC archive, INDIVIDUALINFO* info);
}
