#include "planetary/loadspectrum/spectrumlife.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "gearpair/calculationmemo.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/lifeparams.h"
#include "planetary/filelines.h"
#include "planetary/stage.h"
#include "xbase/access/tableaccess.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/dbf/dbfformat.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

const char* const LifeTable = "qyrlife.dbf";
const char* const PowerTag = "Error  : Lastkoll.";

Extended Pow(Extended base, Extended exp)
{
    return SafePower(PowerTag, base, exp);
}

Extended Log10OrZero(Extended x)
{
    return x > 0 ? KeptLog10(x) : 0;
}

std::string RTrim(const std::string& s)
{
    std::size_t e = s.find_last_not_of(' ');
    return e == std::string::npos ? "" : s.substr(0, e + 1);
}

// A number field of a life table row judged on the text the file holds. The
// table layer hands a field without decimals out as a 32-bit whole number,
// rounded and clamped (NNF = 1e308 became 2147483647, N0F = 1.5 two cycles,
// PF = 8.738 in a field declared without decimals 9), and the number parsers
// give 0 for a text that is no number: each a wrong S-N line taken from a
// damaged table. Cycles: the field holds a count of load cycles, a whole
// number of 32 bits. Empty when the field is sound; Value then holds it.
std::string LifeNumberFault(const TDbfStoredField& F, bool Cycles, double& Value)
{
    std::size_t b = F.Text.find_first_not_of(' ');
    std::size_t e = F.Text.find_last_not_of(' ');
    const std::string text = b == std::string::npos ? std::string() : F.Text.substr(b, e - b + 1);
    const std::string head = "field " + F.Name + ": ";
    if (F.Type != 'N' && F.Type != 'F') return head + "no number field";
    // dBASE number text: a sign, digits, a point and decimals, and in a
    // float field an exponent; nothing else, no blank inside.
    std::size_t at = 0, digits = 0, decimals = 0;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        ++digits;
    if (at < text.size() && text[at] == '.')
        for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
            ++decimals;
    bool exponent = false;
    if (digits + decimals > 0 && at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t x = at + 1;
        if (x < text.size() && (text[x] == '-' || text[x] == '+')) ++x;
        const std::size_t first = x;
        while (x < text.size() && text[x] >= '0' && text[x] <= '9')
            ++x;
        exponent = x > first;
        at = exponent ? x : at;
    }
    if (digits + decimals == 0 || at != text.size())
        return head + (text.empty() ? std::string("empty") : "\"" + text + "\" is no number");
    // The point is the decimal mark whatever the process's locale: the
    // window's toolkit sets the user's, and under a decimal comma the C
    // library read the exponent 8.738 as 8. Beyond the range of a double, a
    // tiny value reads as 0 and a huge one as infinite, both refused below.
    const char* first = text.data() + (text[0] == '+' ? 1 : 0);
    if (std::from_chars(first, text.data() + text.size(), Value).ec == std::errc::result_out_of_range)
        Value = text.find_first_of("eE") != std::string::npos && text[text.find_first_of("eE") + 1] == '-'
                    ? 0.0
                    : HUGE_VAL;
    if (!std::isfinite(Value)) return head + text + " is no finite number";
    if (Cycles) {
        if (Value != std::floor(Value)) return head + text + " is no whole number of load cycles";
        if (Value > 2147483647.0 || Value < -2147483648.0)
            return head + text + " exceeds the integer range (at most 2147483647 load cycles)";
    }
    // A value with more decimals than its field is declared to hold is read
    // rounded to those the field holds.
    if (!exponent && decimals > static_cast<std::size_t>(F.Decimals)) {
        const std::string decl =
            std::string(1, F.Type) + " " + std::to_string(F.Length) + "." + std::to_string(F.Decimals);
        return head + text + " has " + std::to_string(decimals) + " decimals, the field (" + decl +
               ") holds " + std::to_string(F.Decimals);
    }
    return {};
}

// Fields 1 to 7 of the current row into Row: the class text, then N0F, NnF,
// pF, N0H, NnH, pH as numbers. What is wrong with the first damaged field,
// or empty.
std::string ReadLifeRow(QYRLIFE_Record& Row)
{
    // A NUL ends the class text as the blanks that pad it do: the bytes
    // after it are no text, and would go into the report as they are.
    const std::string text = DbfFieldText(1);
    Row.LW = RTrim(text.substr(0, text.find('\0')));
    double v[8] = {};
    for (int n = 2; n <= 7; ++n) {
        const bool cycles = n != 4 && n != 7;
        const TDbfStoredField& field = DbfStoredField(n);
        // The field's name and text go into the cause as the file holds
        // them, but for their control bytes (ControlBytesShown).
        const std::string fault = LifeNumberFault(field, cycles, v[n]);
        if (!fault.empty()) return ControlBytesShown(fault);
        // Cycles and exponents of 0 or less give no line (and would divide
        // by zero): the field is named, as a damaged one is.
        if (!(v[n] > 0))
            return ControlBytesShown("holds no S-N line: field " + field.Name + " is " +
                                     TrimBlanks(field.Text));
    }
    Row.N0F = static_cast<int32_t>(v[2]);
    Row.NnF = static_cast<int32_t>(v[3]);
    Row.pF = v[4];
    Row.N0H = static_cast<int32_t>(v[5]);
    Row.NnH = static_cast<int32_t>(v[6]);
    Row.pH = v[7];
    return {};
}

// The powers of one S-N line that rest on the line and the equivalent
// cycles Neq alone: the ratio of its corner torques, and between the
// corners the factors from the equivalent torque up to each corner.
struct TLinePowers {
    Extended Span = 0;
    Extended ToUpper = 0;
    Extended ToLower = 0;
};

TLinePowers LinePowers(Extended neq, Extended n0, Extended nn, Extended p)
{
    TLinePowers w;
    w.Span = Pow(10, Log10OrZero(nn / n0) / p);
    if (!(neq < n0) && neq <= nn) {
        w.ToUpper = Pow(neq / n0, 1 / p);
        w.ToLower = Pow(neq / nn, 1 / p);
    }
    return w;
}

// Corner torques of one S-N line for the equivalent torque Teq at Neq.
void Corners(const TLinePowers& w, Extended neq, Extended n0, Extended nn, Extended teq, Extended& t0eq,
             Extended& tneq)
{
    if (neq < n0) {
        t0eq = teq;
        tneq = t0eq / w.Span;
    } else if (neq <= nn) {
        t0eq = w.ToUpper * teq;
        tneq = w.ToLower * teq;
    } else {
        tneq = teq;
        t0eq = w.Span * tneq;
    }
}

// Without the S-N lines nothing of the spectrum can be stated, and with it
// neither the application factors taken from it nor the planet bearings'
// mean load: the results of an earlier material or stage would stand in
// for them. So a life table that cannot be read stops the calculation.
void RefuseLifeTable(const std::string& Text)
{
    AddFatalMessage(Text);
    telmvar.Aborted = true;
}

// The fields the S-N line is read from, in this order: the class text, then
// N0F, NnF, pF, N0H, NnH, pH as numbers.
constexpr std::size_t LifeFields = 7;

// The life table file opened for reading, with what fstat said of it.
class TLifeFile
{
  public:
    // Opened without waiting: a FIFO of the table's name reads as empty at
    // once, and the table layer refuses it by name.
    explicit TLifeFile(const std::string& Path)
        : fd_(::open(NativePath(Path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY))
    {
        if (fd_ >= 0 && ::fstat(fd_, &stat_) != 0) stat_ = {};
    }
    ~TLifeFile()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    TLifeFile(const TLifeFile&) = delete;
    TLifeFile& operator=(const TLifeFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    const struct stat& Stat() const { return stat_; }

    // Count bytes from Offset, fewer at the end of the file; -1 on an error.
    long ReadAt(int64_t Offset, void* Buffer, std::size_t Count) const
    {
        std::size_t done = 0;
        auto* p = static_cast<char*>(Buffer);
        while (done < Count) {
            const ssize_t n =
                ::pread(fd_, p + done, Count - done, static_cast<off_t>(Offset) + static_cast<off_t>(done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return -1;
            if (n == 0) break;
            done += static_cast<std::size_t>(n);
        }
        return static_cast<long>(done);
    }

    // The whole of a regular file of at most MaxBytes, as fstat sized it.
    bool ReadAll(std::size_t MaxBytes, std::string& Bytes) const
    {
        if (!S_ISREG(stat_.st_mode) || stat_.st_size < 0 || static_cast<uint64_t>(stat_.st_size) > MaxBytes)
            return false;
        Bytes.resize(static_cast<std::size_t>(stat_.st_size));
        return ReadAt(0, Bytes.data(), Bytes.size()) == static_cast<long>(Bytes.size());
    }

    // Whether the file, as fstat sized it, holds exactly Bytes: compared a
    // block at a time, with no copy of the whole file.
    bool Holds(const std::string& Bytes) const
    {
        if (!S_ISREG(stat_.st_mode) || stat_.st_size < 0 ||
            static_cast<uint64_t>(stat_.st_size) != Bytes.size())
            return false;
        char block[8192];
        for (std::size_t at = 0; at < Bytes.size();) {
            const std::size_t n = std::min(sizeof block, Bytes.size() - at);
            if (ReadAt(static_cast<int64_t>(at), block, n) != static_cast<long>(n) ||
                std::memcmp(block, Bytes.data() + at, n) != 0)
                return false;
            at += n;
        }
        return true;
    }

    // Whether the file has a write permission bit: a table without one is
    // used read-only or from a copy.
    bool HasWriteBit() const { return (stat_.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0; }

    // Whether this process may read and write the file, asked of the file
    // opened rather than of Path (which walks the path once more); a system
    // that cannot ask it of an open file is asked of Path.
    bool ReadWriteAllowed(const std::string& Path) const
    {
        if (::faccessat(fd_, "", R_OK | W_OK, AT_EMPTY_PATH) == 0) return true;
        return (errno == EINVAL || errno == ENOSYS) && ::access(NativePath(Path).c_str(), R_OK | W_OK) == 0;
    }

    // Whether some other handle, of this process or another, holds a lock
    // anywhere in the file (its sharing mode or a record).
    bool LockedElsewhere() const
    {
        struct flock fl {
        };
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = 0;
        fl.l_len = 0;
        return ::fcntl(fd_, F_OFD_GETLK, &fl) != 0 || fl.l_type != F_UNLCK;
    }

  private:
    int fd_ = -1;
    struct stat stat_ {
    };
};

// What is wrong with the table's header, or empty. The header states its own
// length; one that does not match its field list (32 bytes before the
// descriptors, 32 for each and the terminator) would have every record read
// from the wrong place, the second taken for the first.
std::string LifeTableHeaderFault(const TLifeFile& File, const std::string& Path)
{
    const int64_t size = File.Stat().st_size;
    const TDbfByteReader read = [&File](int64_t Offset, void* Buffer, std::size_t Count) -> long {
        return std::max(File.ReadAt(Offset, Buffer, Count), 0L);
    };
    TDbfHeaderInfo info;
    // The file is there: a header the engine cannot take is the cause, not
    // a missing table (nor the engine's lines on every attempt to open it).
    const TDbfParseResult parsed =
        ParseDbfHeader(read, std::max<int64_t>(size, 0), LifeTable, dbffile.Extras(), info);
    // A copy broken off inside the header: the engine says only that it
    // could not read it.
    if (parsed.Code != 0 && size >= 32 && info.HeaderLength > size)
        return "cannot be opened: its " + std::to_string(size) + " bytes are shorter than its header of " +
               std::to_string(info.HeaderLength);
    if (parsed.Code != 0) {
        std::string why = parsed.Detail;
        if (const std::size_t tag = why.rfind(" ["); tag != std::string::npos && why.back() == ']')
            why.erase(tag);
        // The engine's reason names a field and its type byte as the file
        // holds them.
        return "cannot be opened: " + ControlBytesShown(why);
    }
    // A version byte that calls for a memo file has the engine refuse the
    // table without one, in lines of its own at each of the stage's reads.
    if (info.HasMemo) {
        const std::string memo = MemoFileName(Path, info.Version);
        const TLifeFile memoFile(memo);
        if (const int err = errno; !memoFile.IsOpen())
            return "cannot be opened: its version byte " + HexByte(info.Version) +
                   " calls for the memo file " + FileNameToOem(memo) + ": " + ErrnoText(err);
    }
    const std::size_t fields = info.Fields.size();
    if (info.Layout == TDbfLayout::Standard &&
        info.HeaderLength != static_cast<int32_t>(32 * (fields + 1) + 1))
        return "header of " + std::to_string(info.HeaderLength) + " bytes does not match its " +
               std::to_string(fields) + " fields";
    if (fields < LifeFields)
        return "holds " + std::to_string(fields) + " fields, " + std::to_string(LifeFields) + " needed";
    // A copy broken off before the end of the record the stage reads: the
    // engine finds no such record and the table would be called missing.
    const int64_t kind = GearPair.LoadSpectrumKind;
    const int64_t length = info.RecordLength;
    if (length > 0 && kind >= 1 && kind <= info.RecordCount && size < info.HeaderLength + kind * length) {
        const int64_t body = std::max<int64_t>(size - info.HeaderLength, 0);
        return "ends " + std::string(body % length != 0 ? "inside" : "before") + " record " +
               std::to_string(body / length + 1) + ": " + std::to_string(size) + " bytes, record " +
               std::to_string(kind) + " of " + std::to_string(info.RecordCount) + " ends at byte " +
               std::to_string(info.HeaderLength + kind * length);
    }
    // The class is read as text: any other type hands out its own text of
    // the bytes ("0" for a number field) as the material class.
    if (info.Fields[0].Type != 'C')
        return "field " + ControlBytesShown(info.Fields[0].Name) + " is of type " +
               ControlBytesShown(std::string(1, info.Fields[0].Type)) +
               ", the material class is read as text (C)";
    for (std::size_t i = 1; i < LifeFields; ++i)
        if (info.Fields[i].Type != 'N' && info.Fields[i].Type != 'F')
            return "field " + ControlBytesShown(info.Fields[i].Name) + " is no number";
    return {};
}

// Values no material has: a line runs from its upper corner N0 down to its
// lower corner Nn, so N0 < Nn; the exponents of the gear materials lie
// between about 6 and 90 (ISO 6336 life factors), 2 and 1000 bound any.
std::string LifeRecordFault(const QYRLIFE_Record& L)
{
    const auto order = [](const char* Lo, int32_t N0, const char* Hi, int32_t Nn) -> std::string {
        if (N0 >= 1 && N0 < Nn) return {};
        return std::string(Hi) + " " + std::to_string(Nn) + " not above " + Lo + " " + std::to_string(N0);
    };
    const auto exponent = [](const char* Name, double P) -> std::string {
        if (P >= 2 && P <= 1000) return {};
        return std::string(Name) + " " + RangeBoundText(P) + " outside 2 .. 1000";
    };
    for (const std::string& fault : {order("N0F", L.N0F, "NnF", L.NnF), exponent("pF", L.pF),
                                     order("N0H", L.N0H, "NnH", L.NnH), exponent("pH", L.pH)})
        if (!fault.empty()) return fault;
    return {};
}

// The file a row was read from: device, inode, size, modification and
// change time.
struct TLifeFileIdentity {
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    int64_t ModifiedNs = 0;
    int64_t ChangedNs = 0;

    friend bool operator==(const TLifeFileIdentity&, const TLifeFileIdentity&) = default;
};

TLifeFileIdentity IdentityOf(const struct stat& St)
{
    return {St.st_dev, St.st_ino, St.st_size, int64_t{St.st_mtim.tv_sec} * 1000000000 + St.st_mtim.tv_nsec,
            int64_t{St.st_ctim.tv_sec} * 1000000000 + St.st_ctim.tv_nsec};
}

// A life table is a few rows; a larger file is read each time.
constexpr std::size_t KeptTableBytes = 64 * 1024;

// The row read last. Within one calculation (Calculation) it is taken
// again as it is. A later read takes it when the table file is the same
// file, unchanged in its identity and in every byte, the table engine would
// open it where it is with the same settings, and no other handle holds a
// lock on it: then opening it again would read the same fields.
struct TKeptLifeRow {
    unsigned long Calculation = 0;
    // The table directory as entered, and the path formed from it.
    std::string Dir;
    std::string Path;
    int Kind = 0;
    QYRLIFE_Record Row;
    bool FromFile = false;
    TLifeFileIdentity Identity;
    std::string Bytes;
    TDbfReadSettings Settings;
};

TKeptLifeRow& KeptLifeRow()
{
    static thread_local TKeptLifeRow kept;
    return kept;
}

bool SameLifeFile(const TKeptLifeRow& Kept, const std::string& Path)
{
    if (!Kept.FromFile || Kept.Path != Path || Kept.Kind != GearPair.LoadSpectrumKind) return false;
    if (!DbfOpensInPlace(LifeTable) || DbfReadSettings() != Kept.Settings) return false;
    const TLifeFile file(Path);
    return file.IsOpen() && file.ReadWriteAllowed(Path) && IdentityOf(file.Stat()) == Kept.Identity &&
           !file.LockedElsewhere() && file.Holds(Kept.Bytes);
}

} // namespace

void ResetLifeMaterialRead()
{
    KeptLifeRow() = TKeptLifeRow{};
}

bool ReadLifeMaterial()
{
    // The three meshes of a stage read the same row, and opening the table
    // costs more than the mesh's strength: a row that was read without a
    // message is taken again within one calculation, and later while its
    // file is unchanged (see TKeptLifeRow). The same directory gives the
    // same path.
    TKeptLifeRow& kept = KeptLifeRow();
    const unsigned long calculation = CalculationUnderWay();
    if (calculation != 0 && kept.Calculation == calculation && kept.Kind == GearPair.LoadSpectrumKind &&
        kept.Dir == telmvar.DbfDir) {
        LifeParams = kept.Row;
        return true;
    }
    // The path formed for the row read last, when its directory is the same.
    const bool sameDir = !kept.Path.empty() && kept.Dir == telmvar.DbfDir;
    const std::string formed = sameDir ? std::string() : AddTrailingBackslash(telmvar.DbfDir) + LifeTable;
    const std::string& path = sameDir ? kept.Path : formed;
    if (SameLifeFile(kept, path)) {
        kept.Calculation = calculation;
        if (!sameDir) kept.Dir = telmvar.DbfDir;
        LifeParams = kept.Row;
        return true;
    }
    // The system reads a name up to its first NUL: the table would be looked
    // for in the directory before it, and that directory called "not a
    // regular file".
    if (path.find('\0') != std::string::npos) {
        RefuseLifeTable("QYRLIFE.DBF not read: the configured DBF Directory " +
                        FileNameToOem(telmvar.DbfDir) + " holds a NUL byte");
        return false;
    }
    const std::size_t messagesBefore = error0.ErrorCount + LeftOutMessageCount();
    const TLifeFile probe(path);
    if (probe.IsOpen() && !S_ISREG(probe.Stat().st_mode)) {
        // A FIFO or device of the table's name: refused by name at once.
        RefuseLifeTable("file " + FileNameToOem(path) + " not a regular file (a pipe or a device), not read");
        return false;
    }
    if (probe.IsOpen()) {
        const std::string fault = LifeTableHeaderFault(probe, path);
        if (!fault.empty()) {
            RefuseLifeTable("QYRLIFE.DBF " + fault);
            return false;
        }
    }
    // Whether this read may be kept for later ones: taken before the table
    // is opened, which may copy it to the temporary directory.
    TKeptLifeRow read;
    read.Calculation = calculation;
    read.Dir = telmvar.DbfDir;
    read.Path = path;
    read.Kind = GearPair.LoadSpectrumKind;
    read.FromFile = probe.IsOpen() && probe.HasWriteBit() && DbfOpensInPlace(LifeTable) &&
                    probe.ReadAll(KeptTableBytes, read.Bytes);
    read.Identity = IdentityOf(probe.Stat());
    read.Settings = DbfReadSettings();
    const bool opened = probe.IsOpen() && DbfOpen(LifeTable);
    if (!opened || !DbfGo(GearPair.LoadSpectrumKind)) {
        if (opened) DbfClose();
        RefuseLifeTable("QYRLIFE.DBF not found");
        return false;
    }
    QYRLIFE_Record saved = LifeParams;
    const std::string record = "QYRLIFE.DBF record " + std::to_string(DbfRecNo());
    const std::string damaged = ReadLifeRow(LifeParams);
    DbfClose();
    if (!damaged.empty()) {
        LifeParams = saved;
        RefuseLifeTable(record + " " + damaged);
        return false;
    }
    // A row without a usable S-N line would divide by zero below; the
    // material in use stays.
    const auto& l = LifeParams;
    if (l.N0F <= 0 || l.NnF <= 0 || l.N0H <= 0 || l.NnH <= 0 || !(l.pF > 0) || !(l.pH > 0)) {
        LifeParams = saved;
        RefuseLifeTable(record + " holds no S-N line");
        return false;
    }
    if (const std::string fault = LifeRecordFault(l); !fault.empty()) {
        LifeParams = saved;
        RefuseLifeTable(record + ": " + fault);
        return false;
    }
    if (error0.ErrorCount + LeftOutMessageCount() == messagesBefore) {
        // The file as it is now must be the one read before the table was
        // opened: otherwise it changed while it was read.
        const TLifeFile after(path);
        read.FromFile = read.FromFile && after.IsOpen() && IdentityOf(after.Stat()) == read.Identity &&
                        after.Holds(read.Bytes);
        read.Row = LifeParams;
        kept = std::move(read);
    }
    return true;
}

namespace
{

// The meshes of a stage scale one spectrum to their own torques, and each
// level's share of the nominal torque mostly comes out with the same bits
// in every mesh: with the same cycles and S-N lines, the sums over the
// levels and the application factors are then those of the mesh before.
// They are kept for the calculation under way when forming them said
// nothing.
struct TLevelSums {
    int Count = 0;
    Extended PF = 0, PH = 0, Neq = 0;
    Extended Share[LoadSpectrumMax] = {};
    Extended Cycles[LoadSpectrumMax] = {};
    Extended KA_F = 0, KA_H = 0;
};

thread_local TCalculationMemo<TLevelSums, 2> LevelSums;

// The powers of both S-N lines, which rest on the life material and the
// equivalent cycles alone and so are the same in every mesh of a stage.
struct TLifeLinePowers {
    Extended Neq = 0, PF = 0, PH = 0, N0F = 0, NnF = 0, N0H = 0, NnH = 0;
    // The ratio of the tooth root line's corner cycles to the power 1/pF,
    // and the factor from Neq up to the pitting line's upper corner.
    Extended CornerRatioF = 0, ToUpperH = 0;
    TLinePowers F, H;
};

thread_local TCalculationMemo<TLifeLinePowers, 2> LifeLinePowers;

// The mean load factor left to the last mesh (see TLastMeshMeanLoad): the
// cube mean of the spectrum's torques and the nominal torque it is
// referred to.
struct TMeanLoadLeft {
    bool Leaving = false;
    bool Left = false;
    Extended CubeMean = 0;
    Extended T1 = 0;
};

thread_local TMeanLoadLeft MeanLoadLeft;

void FormMeanLoadFactor(Extended CubeMean, Extended t1)
{
    const Extended fm = SafePower("Lastkoll Fm", CubeMean, 1.0L / 3);
    PlanetaryStage.MeanLoadFactor = (t1 != 0 && fm != 0) ? fm / t1 : 1.0L;
}

} // namespace

TLastMeshMeanLoad::TLastMeshMeanLoad() : previous_(MeanLoadLeft.Leaving)
{
    MeanLoadLeft.Leaving = true;
}

TLastMeshMeanLoad::~TLastMeshMeanLoad()
{
    Settle();
    MeanLoadLeft.Leaving = previous_;
}

void TLastMeshMeanLoad::Settle()
{
    if (MeanLoadLeft.Left) {
        MeanLoadLeft.Left = false;
        FormMeanLoadFactor(MeanLoadLeft.CubeMean, MeanLoadLeft.T1);
    }
}

bool FormLoadSpectrumFactors()
{
    auto& g = GearPair;
    telmvar.Aborted = false;
    const int count = g.LoadSpectrumCount;
    if (count <= 0) return false;
    if (!ReadLifeMaterial()) return false;
    const auto& l = LifeParams;
    const Extended t1 = g.T[1];

    // The sums apart from the order check, whose messages would make them
    // go through memory on every level.
    Extended nsum = 0;
    Extended neq = 0;
    for (int i = 1; i <= count; ++i) {
        const auto& it = g.LoadSpectrum[i];
        nsum += it.N;
        if (it.T >= t1 / 2) neq += it.N;
    }
    for (int i = 2; i <= count; ++i)
        if (g.LoadSpectrum[i].T > g.LoadSpectrum[i - 1].T)
            AddErrorMessage("Lastkoll: T" + std::to_string(i) + " > T" + std::to_string(i - 1));
    g.Nsum = nsum;
    g.Neq = neq;
    if (neq <= 0) {
        AddFatalMessage("Fatal  : Neq = 0 !");
        return false;
    }
    if (t1 == 0) {
        AddFatalMessage("Error  : T1 = 0 !");
        return false;
    }

    const Extended pF = l.pF;
    const Extended pH = l.pH;
    // Each level's share of the nominal torque; a spectrum longer than the
    // working one can hold is not kept.
    const bool keepable = count <= LoadSpectrumMax;
    Extended share[LoadSpectrumMax];
    for (int i = 1; keepable && i <= count; ++i)
        share[i - 1] = g.LoadSpectrum[i].T / t1;
    const auto same = [&](const TLevelSums& k) {
        if (!keepable || k.Count != count || !SameBits(k.PF, pF) || !SameBits(k.PH, pH) ||
            !SameBits(k.Neq, neq))
            return false;
        for (int i = 0; i < count; ++i)
            if (!SameBits(k.Share[i], share[i]) || !SameBits(k.Cycles[i], g.LoadSpectrum[i + 1].N))
                return false;
        return true;
    };
    if (const TLevelSums* kept = LevelSums.Find(same)) {
        g.LoadSpectrumKA_F = kept->KA_F;
        g.LoadSpectrumKA_H = kept->KA_H;
    } else {
        const unsigned long reports = GuardedReportCount();
        Extended sf = 0;
        Extended sh = 0;
        for (int i = 1; i <= count; ++i) {
            const auto& it = g.LoadSpectrum[i];
            Extended powerF, powerH;
            SafePowerPair(PowerTag, keepable ? share[i - 1] : it.T / t1, pF, pH, powerF, powerH);
            sf += powerF * it.N / neq;
            sh += powerH * it.N / neq;
        }
        g.LoadSpectrumKA_F = Pow(sf, 1 / pF);
        g.LoadSpectrumKA_H = Pow(sh, 1 / pH);
        if (keepable && GuardedReportCount() == reports) {
            TLevelSums& k = LevelSums.Add();
            k.Count = count;
            k.PF = pF;
            k.PH = pH;
            k.Neq = neq;
            for (int i = 0; i < count; ++i) {
                k.Share[i] = share[i];
                k.Cycles[i] = g.LoadSpectrum[i + 1].N;
            }
            k.KA_F = g.LoadSpectrumKA_F;
            k.KA_H = g.LoadSpectrumKA_H;
        }
    }
    g.TeqF = g.LoadSpectrumKA_F * t1;
    g.TeqH = g.LoadSpectrumKA_H * t1;
    return true;
}

void FormLoadSpectrumLimitTorques(Extended ToothRootLimitTorque, Extended PittingLimitTorque)
{
    auto& g = GearPair;
    const auto& l = LifeParams;
    const int count = g.LoadSpectrumCount;
    const Extended t1 = g.T[1];
    const Extended neq = g.Neq, nsum = g.Nsum;
    const Extended pF = l.pF;
    const Extended pH = l.pH;
    const Extended n0F = l.N0F, nnF = l.NnF, n0H = l.N0H, nnH = l.NnH;
    const auto same = [&](const TLifeLinePowers& k) {
        return SameBits(k.Neq, neq) && SameBits(k.PF, pF) && SameBits(k.PH, pH) && SameBits(k.N0F, n0F) &&
               SameBits(k.NnF, nnF) && SameBits(k.N0H, n0H) && SameBits(k.NnH, nnH);
    };
    const TLifeLinePowers* w = LifeLinePowers.Find(same);
    TLifeLinePowers formed;
    if (!w) {
        const unsigned long reports = GuardedReportCount();
        formed = TLifeLinePowers{neq,
                                 pF,
                                 pH,
                                 n0F,
                                 nnF,
                                 n0H,
                                 nnH,
                                 Pow(n0F / nnF, 1 / pF),
                                 Pow(neq / n0H, 1 / pH),
                                 LinePowers(neq, n0F, nnF, pF),
                                 LinePowers(neq, n0H, nnH, pH)};
        if (GuardedReportCount() == reports) LifeLinePowers.Add() = formed;
        w = &formed;
    }
    g.TnF = ToothRootLimitTorque * g.LoadSpectrumKA_F;
    g.T0F = g.TnF / w->CornerRatioF;
    g.TnH = PittingLimitTorque * g.LoadSpectrumKA_H;
    g.T0H = w->ToUpperH * g.TnH;

    Corners(w->F, neq, n0F, nnF, g.TeqF, g.T0Feq, g.TnFeq);
    Corners(w->H, neq, n0H, nnH, g.TeqH, g.T0Heq, g.TnHeq);

    Extended s3 = 0;
    for (int i = 1; i <= count; ++i)
        s3 += IntPower(g.LoadSpectrum[i].T, 3) * g.LoadSpectrum[i].N;
    // Only a negative mean reports (the power of its magnitude is taken).
    const Extended cubeMean = s3 / nsum;
    if (MeanLoadLeft.Leaving && !(cubeMean < 0)) {
        MeanLoadLeft.Left = true;
        MeanLoadLeft.CubeMean = cubeMean;
        MeanLoadLeft.T1 = t1;
    } else {
        MeanLoadLeft.Left = false;
        FormMeanLoadFactor(cubeMean, t1);
    }

    if (g.T0F == 0 || g.T0H == 0) AddErrorMessage("error at load spectrum");
}

void CalcLoadSpectrumLife(Extended ToothRootLimitTorque, Extended PittingLimitTorque)
{
    if (FormLoadSpectrumFactors()) FormLoadSpectrumLimitTorques(ToothRootLimitTorque, PittingLimitTorque);
}

void SelectLifeMaterial(uint16_t Mode)
{
    const std::string path = AddTrailingBackslash(telmvar.DbfDir) + LifeTable;
    if (!CheckFileExists(path)) return;
    if (!DbfOpen(LifeTable)) return;
    DbfGo(GearPair.LoadSpectrumKind);
    DbfSetTitles("", "select material and heat treatment");
    telmvar.HelpNumber = 6510;
    DbfBrowse("", Mode);
    if (!telmvar.Aborted && Mode == 1) {
        GearPair.LoadSpectrumKind = telmvar.SelectedRecordNo;
        // A damaged row is not taken: the calculation reads the chosen row
        // again and names what is wrong with it.
        QYRLIFE_Record row = LifeParams;
        if (ReadLifeRow(row).empty()) LifeParams = row;
    }
    DbfClose();
}

void RegisterLoadSpectrumLife()
{
    SetLoadSpectrumFactorsProc(&FormLoadSpectrumFactors);
    SetLoadSpectrumLifeProc(&FormLoadSpectrumLimitTorques);
}
