// The attribute records of one XML element, in blocks that never move.
#include "engine/files/XMLAttributeList.h"

#include <algorithm>

namespace GameTools
{
XMLAttributeList::Iterator::Iterator(const XMLAttributeList* list, size_t block) : m_list(list), m_block(block)
{
    SkipSpentBlocks();
}

XMLAttributeList::Iterator& XMLAttributeList::Iterator::operator++()
{
    ++m_record;
    SkipSpentBlocks();
    return *this;
}

// Moves past the end of the current block, and past blocks reserved but not used, to the next record.
void XMLAttributeList::Iterator::SkipSpentBlocks()
{
    const size_t count = m_list->BlockCount();
    while (m_block < count && m_record == m_list->BlockAt(m_block).used)
    {
        ++m_block;
        m_record = 0;
    }
}

void XMLAttributeList::Reserve(size_t count)
{
    if (count == 0)
        return;
    const size_t blocks = BlockCount();
    const Block* last = blocks ? &BlockAt(blocks - 1) : nullptr;
    if (!last || last->capacity - last->used < count)
        AddBlock(count);
}

void XMLAttributeList::AddBlock(size_t capacity)
{
    Block block;
    // Every record is constructed empty by its own members; zeroing the block first would only cost time.
    block.records = std::make_unique_for_overwrite<XMLAttribute[]>(capacity);
    block.capacity = capacity;
    if (!m_first.capacity)
        m_first = std::move(block);
    else
        m_more.push_back(std::move(block));
}

XMLAttribute* XMLAttributeList::Find(std::string_view name) const
{
    if (m_index)
    {
        auto it = m_index->find(name);
        return it == m_index->end() ? nullptr : it->second;
    }
    for (size_t block = 0; block < BlockCount(); ++block)
    {
        const Block& b = BlockAt(block);
        for (size_t i = 0; i < b.used; ++i)
        {
            if (b.records[i].name == name)
                return &b.records[i];
        }
    }
    return nullptr;
}

XMLAttribute& XMLAttributeList::Append(std::string_view name)
{
    if (!m_first.capacity || LastBlock().used == LastBlock().capacity)
        AddBlock(std::max(SmallestBlock, m_size));
    Block& block = LastBlock();
    XMLAttribute& record = block.records[block.used++];
    record.name = name;
    ++m_size;
    IndexRecord(record);
    return record;
}

void XMLAttributeList::IndexRecord(XMLAttribute& record)
{
    if (m_index)
    {
        m_index->emplace(record.name, &record);
    }
    else if (m_size > IndexThreshold)
    {
        m_index = std::make_unique<std::map<std::string, XMLAttribute*, std::less<>>>();
        for (auto& attribute : *this)
            m_index->emplace(attribute.name, &attribute);
    }
}

void XMLAttributeList::Clear()
{
    m_index.reset();
    m_more.clear();
    m_first = Block();
    m_size = 0;
}
}
