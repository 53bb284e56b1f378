// ReadEeprom and WriteEeprom as the system calls them: the block protocol's
// transfer, and its line in the run's record with the status byte and, for
// a failure, the last-error text as it stands.
#include "app/orvel_config.h"
#include "machine_data/run_record.h"

bool COrvelConfig::ReadEeprom(uint8_t address, uint32_t count, void* destination)
{
    replyStatus = -1;
    const bool done = ReadEepromBlock(address, count, destination);
    runrecord::Transfer(false, address, count, replyStatus, done ? nullptr : lastError);
    return done;
}

bool COrvelConfig::WriteEeprom(uint8_t address, uint32_t count, const void* source)
{
    replyStatus = -1;
    const bool done = WriteEepromBlock(address, count, source);
    runrecord::Transfer(true, address, count, replyStatus, done ? nullptr : lastError);
    return done;
}
