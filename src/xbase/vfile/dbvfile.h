#pragma once
// Virtual files: tables that live only in memory, their records in a doubly
// linked list. The command set reads, writes, deletes, recalls and packs
// them as usual: it stores an operation code and a record number in the
// work area and calls the handler installed here. On top: queue and stack
// use (push, pop), key-ordered insertion with a caller's key maker,
// re-sorting, and a field list for tables without a file.

#include "xbase/dbf/dbfformat.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Orders of a virtual file.
enum : uint8_t { VFileFifo = 0, VFileLifo = 1, VFileInsertion = 2, VFileAscending = 3, VFileDescending = 4 };

// Handler operations beyond those the command set stores itself.
enum : uint8_t { VirtualPop = 6, VirtualAppend = 7, VirtualSnip = 10, VirtualZap = 12 };

// The key maker: the key of the record in the work area's record buffer;
// data is the pointer given with it.
using TVFileKeyMaker = std::function<std::string(void* data)>;

struct TVNode {
    TVNode* Prev = nullptr;
    TVNode* Next = nullptr;
    std::vector<uint8_t> Data; // the record as it stood in the record buffer
};

// List state of one virtual work area.
struct TVFileArea {
    TVNode* First = nullptr;
    TVNode* Last = nullptr;
    TVNode* Current = nullptr;
    TVFileKeyMaker KeyMaker;
    void* KeyData = nullptr;
    std::vector<TDbfField> FieldList;
};

struct TDbVFiles {
    std::array<TVFileArea, 36> Areas; // by work-area number 1..35
};

extern TDbVFiles dbvfiles;
// Frees every list and restores the defaults.
void ResetDbVFiles();
// Installs the handler in the hook table.
void InstallVFileDriver();

// The handler: runs the operation stored in the area.
void VFileDriver(uint8_t area);

void Set_VFileKey_To(TVFileKeyMaker keyMaker, void* data);
uint8_t Get_VFileMode();
void Set_VFileMode_To(uint8_t order);
void SortVFile(uint8_t order);
void SnipRec();
// Takes record 1 into the record buffer and removes it: the oldest record of
// a FIFO file, the newest of a LIFO file, the smallest or largest key of a
// sorted one.
void PopRec();
// Adds the record buffer as a new record in the file's order.
void PushRec();
void AddStru(const std::vector<TDbfField>& fields);
// The field list of the current virtual area (empty when none).
const std::vector<TDbfField>& VFileFieldList();
