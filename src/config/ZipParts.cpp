#include "ZipParts.h"

#include <zip.h>

namespace {

// A document part is a few kilobytes; an entry this large is not one of ours
// and would only exhaust memory.
constexpr zip_uint64_t kMaxPartSize = 256u * 1024 * 1024;

bool Fail(QString* errorString, const QString& reason)
{
    if (errorString)
        *errorString = reason;
    return false;
}

} // namespace

bool ReadZipParts(const QByteArray& package, std::vector<ZipPart>* parts, QString* errorString)
{
    zip_error_t zerr;
    zip_error_init(&zerr);
    zip_source_t* source =
        zip_source_buffer_create(package.constData(), zip_uint64_t(package.size()), 0, &zerr);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &zerr) : nullptr;
    if (!archive) {
        const QString reason = QString::fromUtf8(zip_error_strerror(&zerr));
        zip_error_fini(&zerr);
        if (source)
            zip_source_free(source);
        return Fail(errorString, QStringLiteral("Not a zip archive: %1").arg(reason));
    }
    zip_error_fini(&zerr);

    bool ok = true;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; ok && i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &st) < 0 || !(st.valid & ZIP_STAT_NAME)) {
            ok = Fail(errorString,
                      QStringLiteral("Damaged package: %1").arg(QString::fromUtf8(zip_strerror(archive))));
            break;
        }
        ZipPart entry;
        entry.name = st.name;
        entry.mtime = (st.valid & ZIP_STAT_MTIME) ? st.mtime : 0;
        if (!entry.name.empty() && entry.name.back() == '/') {
            entry.directory = true;
            parts->push_back(std::move(entry));
            continue;
        }
        if (!(st.valid & ZIP_STAT_SIZE) || st.size > kMaxPartSize) {
            ok = Fail(errorString,
                      QStringLiteral("Part too large: %1").arg(QString::fromStdString(entry.name)));
            break;
        }
        zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        if (!file) {
            ok = Fail(errorString,
                      QStringLiteral("Cannot read %1: %2")
                          .arg(QString::fromStdString(entry.name), QString::fromUtf8(zip_strerror(archive))));
            break;
        }
        entry.data.resize(qsizetype(st.size));
        const zip_int64_t got = zip_fread(file, entry.data.data(), st.size);
        char probe;
        // Reading on to the end lets the library check the entry's checksum.
        const zip_int64_t extra = got == zip_int64_t(st.size) ? zip_fread(file, &probe, 1) : 0;
        zip_fclose(file);
        if (got != zip_int64_t(st.size) || extra != 0) {
            ok = Fail(errorString, QStringLiteral("Cannot read %1").arg(QString::fromStdString(entry.name)));
            break;
        }
        parts->push_back(std::move(entry));
    }
    zip_discard(archive);
    return ok;
}

QByteArray WriteZipParts(const std::vector<ZipPart>& parts, QString* errorString)
{
    zip_error_t zerr;
    zip_error_init(&zerr);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &zerr);
    zip_t* archive = buffer ? zip_open_from_source(buffer, ZIP_TRUNCATE, &zerr) : nullptr;
    if (!archive) {
        Fail(errorString, QStringLiteral("Cannot create the package: %1")
                              .arg(QString::fromUtf8(zip_error_strerror(&zerr))));
        zip_error_fini(&zerr);
        if (buffer)
            zip_source_free(buffer);
        return {};
    }
    zip_error_fini(&zerr);
    zip_source_keep(buffer); // read the bytes back after closing

    bool ok = true;
    for (const ZipPart& entry : parts) {
        if (entry.removed)
            continue;
        zip_int64_t index;
        if (entry.directory) {
            index = zip_dir_add(archive, entry.name.c_str(), ZIP_FL_ENC_UTF_8);
        } else {
            zip_source_t* data =
                zip_source_buffer(archive, entry.data.constData(), zip_uint64_t(entry.data.size()), 0);
            index = data ? zip_file_add(archive, entry.name.c_str(), data, ZIP_FL_ENC_UTF_8) : -1;
            if (index < 0 && data)
                zip_source_free(data);
        }
        if (index < 0) {
            ok = false;
            break;
        }
        if (entry.mtime)
            zip_file_set_mtime(archive, zip_uint64_t(index), entry.mtime, 0);
    }
    if (!ok || zip_close(archive) < 0) {
        Fail(errorString,
             QStringLiteral("Cannot create the package: %1").arg(QString::fromUtf8(zip_strerror(archive))));
        zip_discard(archive);
        zip_source_free(buffer);
        return {};
    }

    QByteArray bytes;
    if (zip_source_open(buffer) == 0) {
        zip_source_seek(buffer, 0, SEEK_END);
        const zip_int64_t size = zip_source_tell(buffer);
        zip_source_seek(buffer, 0, SEEK_SET);
        if (size > 0) {
            bytes.resize(qsizetype(size));
            if (zip_source_read(buffer, bytes.data(), zip_uint64_t(size)) != size)
                bytes.clear();
        }
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    if (bytes.isEmpty())
        Fail(errorString, QStringLiteral("Cannot create the package"));
    return bytes;
}
