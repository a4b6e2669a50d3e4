// The attribute records of one XML element in order of creation. Records live in blocks that never move,
// so a pointer to a record stays valid until the list is cleared, and a parsed element's attributes take
// one allocation in all.
#pragma once

#include "engine/files/XMLValue.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace GameTools
{
struct XMLAttribute
{
    std::string name;
    XMLValue value;
};

class XMLAttributeList
{
    struct Block
    {
        std::unique_ptr<XMLAttribute[]> records;
        size_t capacity = 0;
        size_t used = 0;
    };

public:
    class Iterator
    {
    public:
        Iterator(const XMLAttributeList* list, size_t block);
        XMLAttribute& operator*() const { return m_list->BlockAt(m_block).records[m_record]; }
        XMLAttribute* operator->() const { return &**this; }
        Iterator& operator++();
        bool operator==(const Iterator& other) const = default;

    private:
        void SkipSpentBlocks();

        const XMLAttributeList* m_list;
        size_t m_block;
        size_t m_record = 0;
    };

    XMLAttributeList() = default;
    XMLAttributeList(const XMLAttributeList&) = delete;
    XMLAttributeList& operator=(const XMLAttributeList&) = delete;

    // Room for count more records without a further allocation.
    void Reserve(size_t count);
    XMLAttribute* Find(std::string_view name) const;
    // A new record of that name at the end; the caller has made sure the name is not in the list yet.
    XMLAttribute& Append(std::string_view name);
    void Clear();

    size_t Size() const { return m_size; }
    bool Empty() const { return m_size == 0; }
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, BlockCount()); }

private:
    // Elements have a handful of attributes, found fastest by a linear search; past this many, an index
    // keeps the duplicate checks of a parse from growing with the square of the count.
    static constexpr size_t IndexThreshold = 8;
    static constexpr size_t SmallestBlock = 4;

    size_t BlockCount() const { return m_first.capacity ? 1 + m_more.size() : 0; }
    const Block& BlockAt(size_t index) const { return index ? m_more[index - 1] : m_first; }
    Block& LastBlock() { return m_more.empty() ? m_first : m_more.back(); }
    void AddBlock(size_t capacity);
    void IndexRecord(XMLAttribute& record);

    // The first block is held in place, so an element's attributes cost one allocation.
    Block m_first;
    std::vector<Block> m_more;
    size_t m_size = 0;
    std::unique_ptr<std::map<std::string, XMLAttribute*, std::less<>>> m_index;
};
}
