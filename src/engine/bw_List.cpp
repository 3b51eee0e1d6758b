#include "bw_List.h"

#include <cstdlib>

void MyEmptyItem (tag_bw_listitem* item)
{
    if (item == nullptr)
        return;

    std::free (item->wordText);
    item->wordText = nullptr;
}

bw_List::bw_List (bw_ListFreeItemFunction freeItem)
    : m_freeItem (freeItem)
{
}

bw_List::~bw_List()
{
    EmptyList();
}

void bw_List::AddItemToEnd (tag_bw_listitem* item)
{
    if (item == nullptr)
        return;

    if (mp_tail == nullptr)
        mp_head = item;
    else
        mp_tail->nextItem = item;

    mp_tail = item;
}

void bw_List::EmptyList()
{
    for (auto* item = mp_head; item != nullptr;)
    {
        auto* next = item->nextItem;

        if (m_freeItem != nullptr)
            m_freeItem (item);

        std::free (item);
        item = next;
    }

    mp_head = nullptr;
    mp_tail = nullptr;
}
