// Moving the current record of the selected area: top, bottom, a record
// number, a count of records; in natural order or, through the index hooks,
// in index order. Deleted records can be hidden, a filter hides more, and a
// WHILE condition bounds SKIP.
#include "xbase/cmd/dbcmd.h"

#include "foundation/codepage.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"

namespace
{

TDbHooks& Hooks()
{
    return dbhooks.DbHooks;
}

TWorkArea* NavArea(const char* tag)
{
    dberror.DbErrorCode = 0;
    // The tag becomes a string only for the error.
    if (TWorkArea* a = SelectedArea()) return a;
    CheckDbInUse(tag);
    return nullptr;
}

bool ReadConvert(TWorkArea& a, int32_t n)
{
    if (!GetDbfRecord(a, n)) return false;
    if (a.OwnsNative && !a.IsVirtual)
        a.NativeStale = true;
    else
        ReadNative(a);
    return true;
}

void ReadLock(bool on)
{
    if (Hooks().SemaphoreReadLock) Hooks().SemaphoreReadLock(on);
}

void Call(const std::function<void()>& f)
{
    if (f) f();
}

std::string Quoted(const TWorkArea& a)
{
    return "Database \"" + FileNameToOem(a.AliasName) + "\"";
}

// A record the index names beyond the count known here was appended by
// another user since: the count is refreshed before it is read, as GO does.
void KnowRecord(TWorkArea& a, int32_t n)
{
    if (n > a.RecordCount) RefreshCount();
}

// An empty index gives count + 1 as its first or last key and stands at its
// end; a record another user appended may carry that number too.
bool IndexEmpty(const TWorkArea& a, int32_t edge)
{
    return edge == a.RecordCount + 1 && (!Hooks().AtIndexEnd || Hooks().AtIndexEnd());
}

} // namespace

void RefreshCount()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr || a->Exclusive || a->IsVirtual) return;
    int64_t size = a->File.Size();
    if (size < 0 || a->RecordLength == 0) return;
    int64_t n = (size - a->HeaderLength) / a->RecordLength;
    a->RecordCount = static_cast<int32_t>(n < 0 ? 0 : n);
}

bool IsVisible()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return false;
    if (a->SkipDeleted) {
        bool deleted = a->IsVirtual ? (a->NativeRecord != nullptr && a->NativeRecord[0] != 0)
                                    : (!a->RecordBuffer.empty() && a->RecordBuffer[0] == '*');
        if (deleted) return false;
    }
    if (a->FilterMethod) return a->FilterMethod();
    if (a->FilterExpr != nullptr && dbhooks.KeyMakerHooks.EvaluateLogical)
        return dbhooks.KeyMakerHooks.EvaluateLogical(a->FilterExpr);
    return true;
}

bool WhileHolds()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return true;
    const uint8_t area = dbcmd.CurrentArea;
    bool result = true;
    if (a->WhileMethod)
        result = a->WhileMethod();
    else if (a->WhileExpr != nullptr && dbhooks.KeyMakerHooks.EvaluateLogical)
        result = dbhooks.KeyMakerHooks.EvaluateLogical(a->WhileExpr);
    dbcmd.CurrentArea = area;
    return result;
}

bool IsWhileOn()
{
    if (!CheckDbInUse("IsWhileOn")) return false;
    TWorkArea* a = SelectedArea();
    return static_cast<bool>(a->WhileMethod) || a->WhileExpr != nullptr;
}

void GoEOF()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return;
    ClearRecord();
    a->RecordNumber = a->RecordCount + 1;
    a->AtBegin = a->AtEnd = true;
}

void SetBOF()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return;
    a->AtBegin = true;
    if (IndexActive()) Call(Hooks().SetIndexBegin);
}

void SetEOF()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return;
    a->AtEnd = true;
    if (IndexActive()) Call(Hooks().SetIndexEnd);
}

void GoTop()
{
    TWorkArea* a = NavArea("GoTop");
    if (a == nullptr || a->RecordCount == 0) return;
    const bool index = IndexActive();
    int32_t start = 1;
    if (index) {
        ReadLock(true);
        start = Hooks().FirstKey ? Hooks().FirstKey() : 1;
        if (IndexEmpty(*a, start)) {
            GoEOF();
            ReadLock(false);
            RunRelation();
            return;
        }
        KnowRecord(*a, start);
    }
    bool ok = ReadConvert(*a, start);
    while (ok && !IsVisible() && !a->AtEnd && dberror.DbErrorCode == 0) {
        int32_t next;
        if (index) {
            next = Hooks().NextKey ? Hooks().NextKey() : a->RecordNumber + 1;
            if (Hooks().AtIndexEnd && Hooks().AtIndexEnd())
                next = a->RecordCount + 1;
            else
                KnowRecord(*a, next);
        } else {
            next = a->RecordNumber + 1;
        }
        if (next > a->RecordCount) {
            GoEOF();
            if (index) Call(Hooks().SyncOrder1);
            break;
        }
        ok = ReadConvert(*a, next);
    }
    if (index) {
        Call(Hooks().RefreshCurrentKey);
        ReadLock(false);
    }
    RunRelation();
}

void GoBottom()
{
    TWorkArea* a = NavArea("GoBottom");
    if (a == nullptr) return;
    RefreshCount();
    if (a->RecordCount == 0) return;
    const bool index = IndexActive();
    int32_t start = a->RecordCount;
    if (index) {
        ReadLock(true);
        start = Hooks().LastKey ? Hooks().LastKey() : a->RecordCount;
        if (IndexEmpty(*a, start)) {
            GoEOF();
            ReadLock(false);
            RunRelation();
            return;
        }
        KnowRecord(*a, start);
    }
    bool ok = ReadConvert(*a, start);
    bool finished = !ok;
    while (!finished && !IsVisible()) {
        int32_t previous;
        bool begin;
        if (index) {
            previous = Hooks().PriorKey ? Hooks().PriorKey() : a->RecordNumber - 1;
            begin = Hooks().AtIndexBegin && Hooks().AtIndexBegin();
            KnowRecord(*a, previous);
        } else {
            begin = a->AtBegin;
            previous = a->RecordNumber - 1;
        }
        if (previous >= 1 && !begin) {
            finished = !ReadConvert(*a, previous);
        } else {
            finished = true;
            GoEOF();
            if (index) {
                Call(Hooks().SyncOrder1);
                SetBOF();
                SetEOF();
            }
        }
    }
    if (index) {
        Call(Hooks().RefreshCurrentKey);
        ReadLock(false);
    }
    RunRelation();
}

void GO(int32_t n)
{
    TWorkArea* a = NavArea("GO()");
    if (a == nullptr) return;
    if (n > a->RecordCount) RefreshCount();
    const std::string detail = "Invalid record number = " + std::to_string(n) + " " + Quoted(*a) + " [GO]";
    if (a->RecordCount == 0) {
        a->AtBegin = a->AtEnd = true;
        ClearRecord();
        SetError(212, detail);
        return;
    }
    if (n >= 1 && n <= a->RecordCount) {
        a->AtBegin = a->AtEnd = false;
        const bool index = IndexActive();
        if (index) ReadLock(true);
        {
            TAutoReportOff quiet;
            ReadConvert(*a, n);
        }
        if (index) {
            Call(Hooks().SyncOrder1);
            Call(Hooks().RefreshCurrentKey);
            ReadLock(false);
        }
        if (dberror.PendingErrorCode != 0 && dberror.AutoReportErrors) ReportError();
        RunRelation();
        return;
    }
    a->RecordNumber = a->RecordCount + 1;
    a->AtEnd = true;
    SetError(212, detail);
}

void Dbf4RawGo(int32_t n)
{
    TWorkArea* a = NavArea("Dbf4RawGo");
    if (a == nullptr) return;
    if (n > a->RecordCount) {
        a->RecordNumber = a->RecordCount + 1;
        a->AtEnd = true;
        ClearRecord();
    } else if (n >= 1) {
        ReadConvert(*a, n);
    } else {
        SetError(212, " [Dbf4RawGo]");
    }
}

void RawGoRelated(int32_t n)
{
    Dbf4RawGo(n);
    RunRelation();
}

void SKIP(int32_t n)
{
    TWorkArea* a = NavArea("SKIP()");
    if (a == nullptr) return;
    if (n == 0) {
        if (a->RecordCount >= 1 && !a->AtEnd)
            ReadConvert(*a, a->RecordNumber);
        else
            ClearRecord();
        RunRelation();
        return;
    }
    if (a->AtEnd && n >= 1) {
        SetError(212, Quoted(*a) + " is past EOF. [SKIP]");
        return;
    }
    if (a->RecordCount == 0) {
        a->AtBegin = a->AtEnd = true;
        SetError(212, Quoted(*a) + " is empty. [SKIP]");
        return;
    }
    if (n < 0 && dBOF()) return;
    a->AtBegin = a->AtEnd = false;
    const bool index = IndexActive();
    if (index) ReadLock(true);
    int32_t moved = 0;
    bool hitEnd = false;
    bool scopeOk = true;
    int32_t lastGood = a->RecordCount + 1;
    if (dbcmd.SkipHook) {
        int32_t target = dbcmd.SkipHook();
        if (!ReadConvert(*a, target)) {
            if (index) ReadLock(false);
            return;
        }
    } else {
        do {
            int32_t target;
            if (n < 0) {
                if (IsVisible() && WhileHolds()) lastGood = a->RecordNumber;
                if (index) {
                    target = Hooks().PriorKey ? Hooks().PriorKey() : a->RecordNumber - 1;
                    if (target == a->RecordNumber) hitEnd = true;
                    KnowRecord(*a, target);
                } else {
                    target = a->RecordNumber - 1;
                    if (target < 1) {
                        hitEnd = true;
                        target = 1;
                    }
                }
                if (!ReadConvert(*a, target)) {
                    if (index) ReadLock(false);
                    return;
                }
                if (!hitEnd && IsVisible()) --moved;
            } else {
                if (index) {
                    target = Hooks().NextKey ? Hooks().NextKey() : a->RecordNumber + 1;
                    if (target == a->RecordNumber) hitEnd = true;
                    KnowRecord(*a, target);
                } else {
                    // Another user's appended record is reached once the
                    // walk passes the last one known.
                    target = a->RecordNumber + 1;
                    if (target > a->RecordCount) RefreshCount();
                }
                if (target > a->RecordCount) {
                    hitEnd = true;
                    target = a->RecordCount;
                }
                if (!ReadConvert(*a, target)) {
                    if (index) ReadLock(false);
                    return;
                }
                if (!hitEnd && IsVisible()) ++moved;
            }
            scopeOk = WhileHolds();
        } while (moved != n && !hitEnd && scopeOk);
    }
    if (hitEnd) {
        if (n > 0) {
            a->RecordNumber = a->RecordCount + 1;
            a->AtEnd = true;
            ClearRecord();
            if (index) Call(Hooks().SyncOrder1);
        } else {
            GoTop();
            SetBOF();
            if (a->AtEnd) ClearRecord();
        }
    } else if (!scopeOk) {
        if (n > 0) {
            SetEOF();
        } else {
            if (lastGood <= a->RecordCount) {
                ReadConvert(*a, lastGood);
                a->AtBegin = true;
            } else {
                a->RecordNumber = a->RecordCount + 1;
                a->AtBegin = true;
                ClearRecord();
            }
            if (index) {
                Call(Hooks().SyncOrder1);
                Call(Hooks().SetIndexBegin);
            }
        }
    }
    if (index) {
        ReadLock(false);
        Call(Hooks().RefreshCurrentKey);
    }
    RunRelation();
}

bool dEOF()
{
    dberror.DbErrorCode = 0;
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return true;
    // Others only append to a shared table (shrinking it needs it whole), so
    // the file's size is asked only when the record lies past the known end.
    if (a->RecordNumber > a->RecordCount) {
        RefreshCount();
        if (a->RecordNumber > a->RecordCount) a->AtEnd = true;
    }
    if (IndexActive() && Hooks().AtIndexEnd) return Hooks().AtIndexEnd();
    return a->AtEnd;
}

bool dBOF()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return true;
    if (IndexActive() && Hooks().AtIndexBegin) return Hooks().AtIndexBegin();
    return a->AtBegin;
}

int32_t RecCount()
{
    if (!CheckDbInUse("RecCount")) return 0;
    RefreshCount();
    return SelectedArea()->RecordCount;
}

int32_t RecNo()
{
    if (!CheckDbInUse("RecNo")) return 0;
    return SelectedArea()->RecordNumber;
}

uint16_t RecSize()
{
    if (!CheckDbInUse("RecSize")) return 0;
    return SelectedArea()->RecordLength;
}

bool SetIgnoreDel(bool on)
{
    if (!CheckDbInUse("SetIgnoreDel")) return false;
    TWorkArea* a = SelectedArea();
    bool previous = a->SkipDeleted;
    a->SkipDeleted = on;
    SKIP(0);
    return previous;
}

void TopOfScope()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr || a->RecordCount == 0) return;
    if (!(a->WhileMethod || a->WhileExpr != nullptr)) {
        GoTop();
        return;
    }
    std::function<void()> relation = std::move(a->Relation);
    a->Relation = nullptr;
    while (!dBOF() && dberror.DbErrorCode == 0)
        SKIP(-1);
    SKIP(0);
    a->Relation = std::move(relation);
}

void BottomOfScope()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr || a->RecordCount == 0) return;
    if (!(a->WhileMethod || a->WhileExpr != nullptr)) {
        GoBottom();
        return;
    }
    std::function<void()> relation = std::move(a->Relation);
    a->Relation = nullptr;
    while (!dEOF() && dberror.DbErrorCode == 0)
        SKIP(1);
    SKIP(-1);
    a->Relation = std::move(relation);
}

bool GoIfValid(int32_t n)
{
    if (n < 1 || n > RecCount()) return false;
    GO(n);
    return true;
}

bool RepositionIfHidden()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return false;
    if (WhileHolds() && IsVisible()) return false;
    Unlock();
    const int32_t record = a->RecordNumber;
    std::function<void()> relation = std::move(a->Relation);
    a->Relation = nullptr;
    SKIP(1);
    if (a->AtEnd) {
        GO(record);
        SKIP(-1);
    }
    a->Relation = std::move(relation);
    return true;
}
