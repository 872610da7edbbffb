#include "AdapterMac.h"

#include "LoginUrl.h"

#include <nb30.h>

#include <cstring>

UCHAR GetAdapterMac(std::string& text)
{
    text.clear();

    LANA_ENUM adapters = {};
    NCB block = {};
    block.ncb_command = NCBENUM;
    block.ncb_buffer = reinterpret_cast<PUCHAR>(&adapters);
    block.ncb_length = sizeof(adapters);
    UCHAR result = ::Netbios(&block);
    if (result != NRC_GOODRET)
        return result;

    // The first adapter that takes a reset opens the adapter table; the status is still asked of
    // the first adapter of the enumeration.
    const UCHAR count = adapters.length < sizeof(adapters.lana) ? adapters.length : sizeof(adapters.lana);
    for (UCHAR i = 0; i < count; ++i) {
        block = {};
        block.ncb_command = NCBRESET;
        block.ncb_lana_num = adapters.lana[i];
        result = ::Netbios(&block);
        if (result == NRC_GOODRET)
            break;
    }
    if (count > 0 && result != NRC_GOODRET)
        return result;

    struct {
        ADAPTER_STATUS status;
        NAME_BUFFER names[30];
    } adapter = {};
    block = {};
    block.ncb_command = NCBASTAT;
    block.ncb_lana_num = adapters.lana[0];
    std::memset(block.ncb_callname, ' ', NCBNAMSZ);
    block.ncb_callname[0] = '*';
    block.ncb_buffer = reinterpret_cast<PUCHAR>(&adapter);
    block.ncb_length = sizeof(adapter);
    result = ::Netbios(&block);
    if (result != NRC_GOODRET)
        return result;

    std::uint8_t address[6];
    std::memcpy(address, adapter.status.adapter_address, sizeof(address));
    text = FormatHardwareAddress(address);
    return NRC_GOODRET;
}
