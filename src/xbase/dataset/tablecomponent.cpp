#include "xbase/dataset/tablecomponent.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/dataset/fielddefinitions.h"

TTzDbf::~TTzDbf()
{
    if (Active()) Close();
}

int TTzDbf::RecordDataSize()
{
    if (!CheckCommand("RecordSize")) return 0;
    int size = 1;
    for (int i = 1; i <= ::FieldCount(); ++i)
        size += FieldBufferSize(FieldType(i), ::FieldLen(i), FieldDec(i));
    return size;
}
