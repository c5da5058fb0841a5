#include "registry/AccountFormat.h"

#include "platform/core/AnsiText.h"

#include <algorithm>
#include <cstring>

namespace {

// The file's content in order, handed piece by piece to out. It runs twice, once to measure
// the room the bytes can take and once to write them into it, so that no piece is written
// that the room left out.
template <class Out>
void EmitAccountFile(Out& out, const CString& strPassword, const CArray<DEVGROUP, DEVGROUP>& arrDevGroup)
{
    const auto lineEnd = [&out] {
        out.Put('\r');
        out.Put('\n');
    };
    out.PutText(strPassword);
    lineEnd();
    for (INT_PTR i = 0; i < arrDevGroup.GetSize(); ++i) {
        const DEVGROUP& group = arrDevGroup[i];
        out.Put('{');
        out.PutText(group.strName);
        out.Put('}');
        lineEnd();
        for (INT_PTR j = 0; j < group.arrDevice.GetSize(); ++j) {
            const DEVICE& dev = group.arrDevice[j];
            out.PutText(dev.strId);
            out.Put('|');
            out.PutText(dev.strApiKey);
            out.Put('|');
            out.PutText(dev.strDeviceId);
            out.Put('|');
            out.PutText(dev.strName);
            out.Put('|');
            out.PutText(dev.strAddress);
            out.Put('|');
            out.PutText(dev.strNumber);
            lineEnd();
        }
    }
}

// The most bytes the pieces can take.
class CAccountSizeBound
{
public:
    void Put(char) { ++m_nBound; }
    void PutText(const CString& text) { m_nBound += AnsiSizeBound(text); }
    size_t Get() const { return m_nBound; }

private:
    size_t m_nBound = 0;
};

// The pieces written into room made up front, so that they are never moved or checked for room
// while they grow.
class CAccountWriter
{
public:
    explicit CAccountWriter(size_t nBound) : m_out(nBound, '\0'), m_pos(m_out.data()) {}

    void Put(char ch) { *m_pos++ = ch; }
    void PutText(const CString& text) { m_pos = WriteAnsi(m_pos, text); }

    std::string Take()
    {
        m_out.resize(static_cast<size_t>(m_pos - m_out.data()));
        return std::move(m_out);
    }

private:
    std::string m_out;
    char* m_pos;
};

// One pass over the data, which ends at m_end (the first NUL or the size). Along the way it
// notes whether the writer would give back these very bytes: every byte was read, every line
// ends in CR LF, the password needed no trimming, and every text decoded exactly (each
// character the code page reads it writes back as the same bytes).
class CAccountReader
{
public:
    CAccountReader(const char* data, size_t size)
        : m_data(data), m_end(std::find(data, data + size, '\0') - data), m_whole(m_end == size)
    {}

    // True when the file holds exactly what was read.
    bool Read(CString& strPassword, CArray<DEVGROUP, DEVGROUP>& arrDevGroup);

private:
    // Position of the first byte ch at or after pos, stepping over double-byte characters;
    // m_end when the data ends first.
    size_t Find(size_t pos, char ch) const { return FindAnsi(m_data, pos, m_end, ch); }

    CString Text(size_t first, size_t last)
    {
        bool exact = true;
        CString text = WideFromAnsi(m_data + first, last - first, exact);
        m_whole = m_whole && exact;
        return text;
    }

    // Whether a line that ends at the LF at lineEnd has the CR of CR LF at its end, at or
    // after first.
    bool EndsInCrLf(size_t first, size_t lineEnd) const
    {
        return lineEnd < m_end && lineEnd > first && m_data[lineEnd - 1] == '\r';
    }

    // Reads the users from m_pos on.
    void ReadUsers(CArray<DEVGROUP, DEVGROUP>& arrDevGroup);
    // Lines from pos up to the next line that begins with "{": room for the devices there.
    // Only a hint: a device whose fields run over several lines takes more than one.
    size_t CountLines(size_t pos) const;
    // Reads the device line at m_pos; false when the data ends inside it.
    bool ReadDevice(DEVICE& dev);

    const char* m_data;
    size_t m_end;
    bool m_whole;
    size_t m_pos = 0;
};

bool CAccountReader::Read(CString& strPassword, CArray<DEVGROUP, DEVGROUP>& arrDevGroup)
{
    const size_t passwordEnd = Find(0, '\n');
    strPassword = Text(0, passwordEnd);
    const int nRead = strPassword.GetLength();
    strPassword.Trim();
    // Trimming may take the CR of the line end and nothing else.
    m_whole = m_whole && EndsInCrLf(0, passwordEnd) && strPassword.GetLength() == nRead - 1;
    m_pos = passwordEnd + 1;
    ReadUsers(arrDevGroup);
    return m_whole;
}

void CAccountReader::ReadUsers(CArray<DEVGROUP, DEVGROUP>& arrDevGroup)
{
    while (m_pos < m_end) {
        const size_t open = Find(m_pos, '{');
        const size_t close = open < m_end ? Find(open + 1, '}') : m_end;
        // Bytes before the "{" are skipped; a user line without its "}" ends the reading.
        m_whole = m_whole && open == m_pos && close < m_end;
        if (close >= m_end)
            return;
        DEVGROUP& group = arrDevGroup.ElementAt(arrDevGroup.Add(DEVGROUP()));
        group.strName = Text(open + 1, close);
        const size_t lineEnd = Find(close + 1, '\n');
        m_whole = m_whole && lineEnd == close + 2 && EndsInCrLf(close + 1, lineEnd);
        m_pos = lineEnd + 1;

        // Sized once for the lines that follow rather than grown device by device.
        group.arrDevice.SetSize(static_cast<INT_PTR>(CountLines(m_pos)));
        INT_PTR nDevices = 0;
        bool complete = true;
        while (complete && m_pos < m_end && m_data[m_pos] != '{') {
            if (nDevices == group.arrDevice.GetSize())
                group.arrDevice.Add(DEVICE());
            complete = ReadDevice(group.arrDevice.ElementAt(nDevices));
            nDevices += complete ? 1 : 0;
        }
        group.arrDevice.SetSize(nDevices);
        if (!complete) {
            m_whole = false;
            return;
        }
    }
}

size_t CAccountReader::CountLines(size_t pos) const
{
    // Only lines long enough for a device ("|||||" and LF) count, so that a damaged file of
    // short lines never makes room for more devices than its bytes could hold.
    constexpr size_t kShortestDevice = 6;
    size_t count = 0;
    while (pos < m_end && m_data[pos] != '{') {
        const void* lf = std::memchr(m_data + pos, '\n', m_end - pos);
        const size_t next = lf ? static_cast<size_t>(static_cast<const char*>(lf) - m_data) + 1 : m_end;
        count += next - pos >= kShortestDevice ? 1 : 0;
        pos = next;
    }
    return count;
}

bool CAccountReader::ReadDevice(DEVICE& dev)
{
    size_t bars[5];
    size_t pos = m_pos;
    for (size_t& bar : bars) {
        bar = Find(pos, '|');
        if (bar >= m_end)
            return false;
        pos = bar + 1;
    }
    const size_t lineEnd = Find(pos, '\n');
    // Only the CR of the line end goes; a line cut short keeps every byte of its number.
    const size_t numberEnd = lineEnd > pos && m_data[lineEnd - 1] == '\r' ? lineEnd - 1 : lineEnd;
    m_whole = m_whole && EndsInCrLf(pos, lineEnd);

    dev.strId = Text(m_pos, bars[0]);
    dev.strApiKey = Text(bars[0] + 1, bars[1]);
    dev.strDeviceId = Text(bars[1] + 1, bars[2]);
    dev.strName = Text(bars[2] + 1, bars[3]);
    dev.strAddress = Text(bars[3] + 1, bars[4]);
    dev.strNumber = Text(pos, numberEnd);
    m_pos = lineEnd + 1;
    return true;
}

} // namespace

std::string FormatAccountFile(const CString& strPassword, const CArray<DEVGROUP, DEVGROUP>& arrDevGroup)
{
    CAccountSizeBound bound;
    EmitAccountFile(bound, strPassword, arrDevGroup);
    CAccountWriter out(bound.Get());
    EmitAccountFile(out, strPassword, arrDevGroup);
    return out.Take();
}

bool ParseAccountFile(const char* pData, size_t nSize, CString& strPassword, CArray<DEVGROUP, DEVGROUP>& arrDevGroup)
{
    arrDevGroup.RemoveAll();
    return CAccountReader(pData, nSize).Read(strPassword, arrDevGroup);
}
