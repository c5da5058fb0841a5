#include "registry/AccountFormat.h"

#include "registry/AnsiText.h"

#include <algorithm>

namespace {

constexpr char kLineEnd[] = "\r\n";

void AppendDevice(std::string& out, const DEVICE& dev)
{
    const CString* fields[] = {&dev.strId, &dev.strApiKey, &dev.strDeviceId,
                               &dev.strName, &dev.strAddress, &dev.strNumber};
    for (const CString* field : fields) {
        if (field != fields[0])
            out += '|';
        AppendAnsi(out, *field);
    }
    out += kLineEnd;
}

// One pass over the data, which ends at m_end (the first NUL or the size).
class CAccountReader
{
public:
    CAccountReader(const char* data, size_t size)
        : m_data(data), m_end(std::find(data, data + size, '\0') - data) {}

    void Read(CString& strPassword, CArray<DEVGROUP, DEVGROUP>& arrDevGroup);

private:
    // Position of the first byte ch at or after pos, stepping over double-byte characters;
    // m_end when the data ends first.
    size_t Find(size_t pos, char ch) const
    {
        while (pos < m_end && m_data[pos] != ch)
            pos += AnsiCharSize(m_data, pos, m_end);
        return pos;
    }

    CString Text(size_t first, size_t last) const { return WideFromAnsi(m_data + first, last - first); }

    // Reads the device line at m_pos into the user; false when the data ends inside it.
    bool ReadDevice(DEVGROUP& group);

    const char* m_data;
    size_t m_end;
    size_t m_pos = 0;
};

void CAccountReader::Read(CString& strPassword, CArray<DEVGROUP, DEVGROUP>& arrDevGroup)
{
    const size_t passwordEnd = Find(0, '\n');
    strPassword = Text(0, passwordEnd);
    strPassword.Trim();
    m_pos = passwordEnd + 1;

    while (m_pos < m_end) {
        const size_t open = Find(m_pos, '{');
        const size_t close = open < m_end ? Find(open + 1, '}') : m_end;
        if (close >= m_end)
            return;
        DEVGROUP& group = arrDevGroup.ElementAt(arrDevGroup.Add(DEVGROUP()));
        group.strName = Text(open + 1, close);
        m_pos = Find(close + 1, '\n') + 1;
        while (m_pos < m_end && m_data[m_pos] != '{')
            if (!ReadDevice(group))
                return;
    }
}

bool CAccountReader::ReadDevice(DEVGROUP& group)
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

    DEVICE& dev = group.arrDevice.ElementAt(group.arrDevice.Add(DEVICE()));
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
    std::string out;
    AppendAnsi(out, strPassword);
    out += kLineEnd;
    for (INT_PTR i = 0; i < arrDevGroup.GetSize(); ++i) {
        const DEVGROUP& group = arrDevGroup[i];
        out += '{';
        AppendAnsi(out, group.strName);
        out += '}';
        out += kLineEnd;
        for (INT_PTR j = 0; j < group.arrDevice.GetSize(); ++j)
            AppendDevice(out, group.arrDevice[j]);
    }
    return out;
}

void ParseAccountFile(const char* pData, size_t nSize, CString& strPassword, CArray<DEVGROUP, DEVGROUP>& arrDevGroup)
{
    arrDevGroup.RemoveAll();
    CAccountReader(pData, nSize).Read(strPassword, arrDevGroup);
}
