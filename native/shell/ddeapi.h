#pragma once
// The command service in the form of the dynamic data exchange calls: a program initialises an instance
// with its callback, makes string handles for the service and topic names and registers the service name.
// Each request that reaches the service's socket (see CommandServer) becomes a connect transaction for its
// topic and, when the callback accepts it, an execute transaction with the command as data (UTF-16 with its
// terminating 0). The callback's answer to the execute goes back to the client: DDE_FACK as "ACK",
// DDE_FBUSY as "BUSY", anything else (and a refused connect) as "NAK". Callbacks run on the GUI thread
// while the message loop takes messages.

#include "native/user/nativetypes.h"

namespace native {

struct HSZ__;
using HSZ = HSZ__*;
struct HCONV__;
using HCONV = HCONV__*;
struct HDDEDATA__;
using HDDEDATA = HDDEDATA__*;

using PFNCALLBACK = HDDEDATA (*)(UINT type, UINT format, HCONV conversation, HSZ string1, HSZ string2,
                                 HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);

inline constexpr UINT XTYP_CONNECT = 0x1062;
inline constexpr UINT XTYP_EXECUTE = 0x4050;
inline constexpr UINT DMLERR_NO_ERROR = 0;
inline constexpr UINT DMLERR_INVALIDPARAMETER = 0x4006;
inline constexpr UINT DNS_REGISTER = 0x0001;
inline constexpr UINT DNS_UNREGISTER = 0x0002;
inline constexpr int CP_WINUNICODE = 1200;
inline constexpr ULONG_PTR DDE_FACK = 0x8000;
inline constexpr ULONG_PTR DDE_FBUSY = 0x4000;

// Starts an instance and writes its identifier (never 0). The command flags are kept but change nothing:
// only connects and executes ever reach the callback.
UINT DdeInitialize(DWORD* instance, PFNCALLBACK callback, DWORD commands, DWORD reserved);
// Ends the instance's services and frees its string handles.
BOOL DdeUninitialize(DWORD instance);

// Equal texts (ignoring case) share one handle, which counts its users. The code page is not needed: the
// texts are 16-bit.
HSZ DdeCreateStringHandle(DWORD instance, LPCWSTR text, int codePage);
BOOL DdeFreeStringHandle(DWORD instance, HSZ handle);
// -1, 0 or 1 as the texts compare ignoring case; a null handle comes first.
int DdeCmpStringHandles(HSZ first, HSZ second);

// DNS_REGISTER starts serving the service's name, DNS_UNREGISTER stops it (a null name stops every one).
// Null when the name is served already, by this program or another.
HDDEDATA DdeNameService(DWORD instance, HSZ service, HSZ reserved, UINT command);

// Copies the data from `offset` on, at most `size` bytes, and answers the bytes copied; with a null
// destination, answers the bytes there are from `offset`.
DWORD DdeGetData(HDDEDATA data, BYTE* destination, DWORD size, DWORD offset);

}  // namespace native
