#include "game/reports.h"

#include <climits>
#include <cstring>

#include "core/fatal.h"
#include "core/log.h"
#include "core/text.h"
#include "game/load_files.h"
#include "game/paths.h"
#include "game/save_files.h"
#include "platform/paths.h"

namespace {
constexpr char kMagic[5] = {'Q', 'v', 'r', 'v', '1'};
constexpr size_t kRecordHead = 8 * 4;
} // namespace

void cReportManager::AddReport(const sRaport& report)
{
    sRaport copy = report;
    if (m_StampSource) {
        const sReportStamp stamp = m_StampSource(m_Owner);
        copy.year = stamp.year;
        copy.month = stamp.month;
        copy.day = stamp.day;
        copy.impulse = stamp.impulse;
    }
    m_Reports.push_back(std::move(copy));
}

std::list<sRaport>& cReportManager::CollectReports(std::list<sRaport>& out, int countryKey, int kind) const
{
    out.clear();
    for (const auto& r : m_Reports)
        if (r.countryKey == countryKey && r.kind == kind)
            out.push_back(r);
    return out;
}

std::string cReportManager::Encode() const
{
    std::string out(kMagic, sizeof kMagic);
    AppendLE32(out, uint32_t(m_Reports.size()));
    for (const auto& r : m_Reports) {
        const std::u16string text = WideToUtf16(r.text);
        for (int v : {r.kind, r.year, r.month, r.day, r.impulse, r.extra, r.countryKey, int(text.size())})
            AppendLE32(out, uint32_t(v));
        out += Utf16ToLEBytes(text);
    }
    return out;
}

bool cReportManager::Decode(std::string_view bytes)
{
    m_Reports.clear();
    if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        return true; // not a reports file: an empty list, as the game has always taken it
    LogLine(L"Reports file opened OK");
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t pos = sizeof kMagic;
    if (bytes.size() - pos < 4) {
        LogLine(L"ERROR: reports.dat ends before its number of reports");
        return false;
    }
    const int count = int(ReadLE32(p + pos));
    pos += 4;
    if (count < 0) {
        LogLine(L"ERROR: reports.dat claims %i reports", count);
        return false;
    }
    for (int n = 0; n < count; ++n) {
        if (bytes.size() - pos < kRecordHead) {
            LogLine(L"ERROR: reports.dat holds %i of the %i reports it claims", n, count);
            return false;
        }
        int v[8];
        for (int k = 0; k < 8; ++k)
            v[k] = int(ReadLE32(p + pos + size_t(k) * 4));
        pos += kRecordHead;
        const int length = v[7];
        if (length < 0 || size_t(length) > (bytes.size() - pos) / 2) {
            LogLine(L"ERROR: report %i of reports.dat claims a text of %i characters, longer than the file", n + 1,
                    length);
            return false;
        }
        // The game stamps each report with its date: another was written by no game, and the
        // file is taken as damaged from there, as a cut one is.
        const struct
        {
            const wchar_t* what;
            int value, lo, hi;
        } kDate[] = {{L"year", v[1], 0, 9999}, {L"month", v[2], 0, 12}, {L"day", v[3], 0, 31}, {L"impulse", v[4], 0, INT_MAX}};
        for (const auto& d : kDate)
            if (d.value < d.lo || d.value > d.hi) {
                LogLine(L"ERROR: report %i of reports.dat has the %s %i, outside %i to %i", n + 1, d.what, d.value, d.lo,
                        d.hi);
                return false;
            }
        sRaport r;
        r.kind = v[0];
        r.year = v[1];
        r.month = v[2];
        r.day = v[3];
        r.impulse = v[4];
        r.extra = v[5];
        r.countryKey = v[6];
        r.text = Utf16ToWide(LEBytesToUtf16(bytes.substr(pos, size_t(length) * 2)));
        pos += size_t(length) * 2;
        m_Reports.push_back(std::move(r));
    }
    return true;
}

void cReportManager::Save(std::wstring_view folder) const
{
    const std::wstring path = JoinFolder(folder, L"reports.dat");
    if (!WriteSaveFile(path, Encode()))
        FailSaveFile(path);
    LogLine(L"Reports file opened OK");
}

void cReportManager::Load(std::wstring_view pattern)
{
    const std::wstring path = JoinPathPattern(pattern, L"reports.dat");
    auto bytes = ReadWholeFile(HostPath(path));
    if (!bytes) {
        NoteUnreadableFile(path);
        FatalExit(1, L"ERROR: Opening reports file for reading");
    }
    // A damaged end (logged by Decode) costs the reports after it, not the game: they are
    // only its history.
    Decode(*bytes);
}
