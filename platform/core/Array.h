#pragma once

#include "platform/core/Exceptions.h"
#include "platform/core/String.h"

#include <type_traits>
#include <utility>
#include <vector>

// A growable array of values. Every access by index is checked: an index outside
// 0..count-1 raises CInvalidArgException and reads or changes nothing.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray
{
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_items[Checked(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_items[Checked(nIndex)]; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    // Appends a copy and returns its index. An element passed by value is already the copy.
    INT_PTR Add(ARG_TYPE newElement)
    {
        if constexpr (std::is_reference_v<ARG_TYPE>)
            m_items.push_back(newElement);
        else
            m_items.push_back(std::move(newElement));
        return GetSize() - 1;
    }

    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nCount < 0 || nIndex < 0 || nIndex + nCount > GetSize())
            AfxThrowInvalidArgException();
        m_items.erase(m_items.begin() + nIndex, m_items.begin() + nIndex + nCount);
    }

    void RemoveAll() { m_items.clear(); }

    // New elements are default-constructed; those beyond the new count are removed.
    void SetSize(INT_PTR nNewSize)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        m_items.resize(static_cast<size_t>(nNewSize));
    }

private:
    size_t Checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }

    std::vector<TYPE> m_items;
};

using CStringArray = CArray<CString, CString>;
