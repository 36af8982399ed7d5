// The dates of an ISO 9660 image, from seconds since 1970 UTC.
#pragma once
#include <cstdint>

namespace disc {

// The 7-byte date of a directory record; before 1900 or after 2155 the
// nearest date the field holds.
void PutRecordDate(unsigned char* p, std::int64_t t);
// The 17-byte date of a volume descriptor ("YYYYMMDDHHMMSScc" and the zone
// offset); outside the years 1 to 9999 the start of 1970.
void PutVolumeDate(unsigned char* p, std::int64_t t);
// A volume descriptor date that is not set: sixteen "0" and offset 0.
void PutUnsetDate(unsigned char* p);

}  // namespace disc
