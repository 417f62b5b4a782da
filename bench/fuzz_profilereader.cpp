// libFuzzer entry for the profile reader (built only with clang, see
// CMakeLists.txt). Run by hand, for example:
//   bench/fuzz_profilereader -dict=../bench/fuzz_profilereader.dict -max_len=4096 corpus/
// The seeded fuzz test in tests/config covers the same ground in every test run.

#include "config/ProfileReader.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return 0;

    TIndicatorSettings settings;
    SettingsProfileTarget target(settings);
    const ProfileReadResult result = ReadProfile(buffer, target);

    // A failure always says why; a loaded time zone is always one of the list.
    if ((!result.ok && result.error.isEmpty()) || settings.TimeZoneIndex < 0 ||
        settings.TimeZoneIndex >= kTimeZoneCount)
        std::abort();
    return 0;
}
