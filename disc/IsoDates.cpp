#include "IsoDates.h"
#include <cstdio>
#include <cstring>

namespace disc {

namespace {

struct Civil {
    int year, month, day, hour, minute, second;
};

// Calendar date in UTC from seconds since 1970 (days-from-civil inverted).
Civil ToCivil(std::int64_t t) {
    std::int64_t days = t / 86400, rest = t % 86400;
    if (rest < 0) { rest += 86400; --days; }
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t doe = days - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    Civil c;
    c.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    c.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    c.year = static_cast<int>(yoe + era * 400 + (c.month <= 2 ? 1 : 0));
    c.hour = static_cast<int>(rest / 3600);
    c.minute = static_cast<int>(rest / 60 % 60);
    c.second = static_cast<int>(rest % 60);
    return c;
}

}  // namespace

// The 7-byte date of a directory record (years since 1900; offset 0 = UTC).
void PutRecordDate(unsigned char* p, std::int64_t t) {
    Civil c = ToCivil(t);
    if (c.year < 1900) c = Civil{1900, 1, 1, 0, 0, 0};
    if (c.year > 2155) c = Civil{2155, 12, 31, 23, 59, 59};
    p[0] = static_cast<unsigned char>(c.year - 1900);
    p[1] = static_cast<unsigned char>(c.month);
    p[2] = static_cast<unsigned char>(c.day);
    p[3] = static_cast<unsigned char>(c.hour);
    p[4] = static_cast<unsigned char>(c.minute);
    p[5] = static_cast<unsigned char>(c.second);
    p[6] = 0;
}

// The 17-byte date of a volume descriptor: "YYYYMMDDHHMMSScc" and the offset.
void PutVolumeDate(unsigned char* p, std::int64_t t) {
    Civil c = ToCivil(t);
    if (c.year < 1 || c.year > 9999) c = Civil{1970, 1, 1, 0, 0, 0};
    char text[20];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d00", c.year, c.month, c.day, c.hour, c.minute,
                  c.second);
    std::memcpy(p, text, 16);
    p[16] = 0;
}

void PutUnsetDate(unsigned char* p) {
    std::memset(p, '0', 16);
    p[16] = 0;
}

}  // namespace disc
