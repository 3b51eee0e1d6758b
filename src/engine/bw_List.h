#pragma once

struct tag_Stem;

// One pool word. Its creator zero-initialises it (calloc) before filling it in.
struct tag_bw_listitem
{
    tag_bw_listitem* nextItem; // list link
    char* wordText;            // owned, zero-terminated UTF-8 copy of the word, case as written
    tag_Stem* stemRecord;      // the word's rhyme stem, or null
    const char* stemText;      // the same suffix; a pool word "has a suffix" when this is set
};

using bw_ListFreeItemFunction = void (*) (tag_bw_listitem*);

// Releases an item's wordText (free) and sets it to null: the pool list's release function.
void MyEmptyItem (tag_bw_listitem* item);

// A singly linked list that owns its items (allocated with malloc/calloc, released with free).
class bw_List
{
public:
    explicit bw_List (bw_ListFreeItemFunction freeItem);
    virtual ~bw_List();

    // Links item after the last item; item->nextItem is left as its creator set it.
    void AddItemToEnd (tag_bw_listitem* item);

    // Calls the release function on every item, releases the items and leaves the list empty.
    void EmptyList();

    tag_bw_listitem* mp_head = nullptr;
    tag_bw_listitem* mp_tail = nullptr;
    bw_ListFreeItemFunction m_freeItem = nullptr;

private:
    bw_List (const bw_List&) = delete;
    bw_List& operator= (const bw_List&) = delete;
};
