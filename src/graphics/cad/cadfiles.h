#pragma once
// The files of one CAD output: the output file itself, written beside its
// final name and put in place only when complete, and the block files of
// the screen and STL devices in a directory of this output's own.

#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>

// A block file's entities as the block reader parsed them; kept with the
// file's bytes so that repeated inserts (an animation inserts the same gear
// wheel hundreds of times) do not parse the DXF text again.
struct TDxfBlockEntities;

// An output stream on a file that keeps the system's reason of its first
// failure (a buffered file stream forgets it: a write that failed in the
// middle of a drawing left no more than "bad").
class TCadFileStream : public std::ostream
{
  public:
    TCadFileStream() : std::ostream(&buf_) {}
    ~TCadFileStream() override { close(); }
    TCadFileStream(const TCadFileStream&) = delete;
    TCadFileStream& operator=(const TCadFileStream&) = delete;

    // Creates or truncates Path; the stream goes bad when that fails.
    void open(const std::string& Path);
    bool is_open() const { return buf_.Fd >= 0; }
    // Writes what is buffered and closes; the stream goes bad when either
    // fails.
    void close();
    // The system's reason of the first failure; empty while none.
    std::string Failure() const;

  private:
    struct TBuffer : std::streambuf {
        TBuffer() { setp(Bytes, Bytes + sizeof Bytes); }
        int_type overflow(int_type C) override;
        int sync() override { return Drain() ? 0 : -1; }
        bool Drain();
        int Fd = -1;
        int Error = 0;
        char Bytes[1 << 16];
    };
    TBuffer buf_;
};

// A file written to a temporary name in the target's directory and renamed
// over the target by Commit, so a failed or abandoned output never leaves a
// half file and never touches the file that was there before.
class TCadOutputFile
{
  public:
    TCadOutputFile() = default;
    TCadOutputFile(const TCadOutputFile&) = delete;
    TCadOutputFile& operator=(const TCadOutputFile&) = delete;
    ~TCadOutputFile() { Abandon(); }

    // False when the temporary file cannot be created.
    bool Open(const std::string& Target);
    bool IsOpen() const { return out_.is_open(); }
    std::ostream& Stream() { return out_; }
    // Flushes, closes and renames; false (temporary removed, target as it
    // was) when any write or the rename failed.
    bool Commit();
    // Closes and removes the temporary file.
    void Abandon();
    // The system's reason of the last failure of Open or Commit.
    const std::string& Failure() const { return why_; }

  private:
    // Removes the temporary file; a signal no longer looks for it.
    void Forget();

    TCadFileStream out_;
    std::string temp_;
    std::string target_;
    std::string why_;
};

// Block files of one output. Blocks are found by name without regard to
// case (drawings insert "schnitt" for the block they defined as "SCHNITT"),
// so the names are folded to lower case for the files this output writes.
// Blocks defined in this output are looked up first, then the user's own
// block files (logos, title-block heads) in the temporary directory, which
// are only ever read.
class TCadBlockStore
{
  public:
    TCadBlockStore() = default;
    TCadBlockStore(const TCadBlockStore&) = delete;
    TCadBlockStore& operator=(const TCadBlockStore&) = delete;
    ~TCadBlockStore() { Close(); }

    // Starts an output's store on the temporary directory, where the user's
    // block files are found; this output's own directory is made in OwnDir
    // (TempDir when empty, the system's temporary directory without either)
    // once the first block is written.
    void Open(const std::string& TempDir, const std::string& OwnDir = {});
    // Removes this output's directory with its block files.
    void Close();

    // A block name can only name a file in these directories: no directory
    // separators, no control characters.
    static bool ValidName(const std::string& Name);
    // Path of the file a block of this output is written to; empty when the
    // name is invalid or the private directory cannot be created.
    std::string PathForNewBlock(const std::string& Name);
    // Forgets what was read or found of a block (it is being rewritten).
    void Forget(const std::string& Name);
    // The path of the block's file, or nothing.
    std::optional<std::string> Find(const std::string& Name);
    // The bytes of a block file, read once per output.
    const std::string* Contents(const std::string& Path);
    // The parsed entities kept for a file whose Contents were read (empty
    // until the reader stores them; forgotten with the bytes, when the block
    // is written again or the output closes), or nullptr for a file not read.
    std::shared_ptr<const TDxfBlockEntities>* Parsed(const std::string& Path);

    const std::string& PrivateDir() const { return dir_; }

  private:
    std::string tempDir_;
    std::string ownDir_;
    std::string dir_;
    std::map<std::string, std::optional<std::string>> found_;
    struct TFile {
        std::string bytes;
        std::shared_ptr<const TDxfBlockEntities> parsed;
    };
    std::map<std::string, TFile> contents_;
};

// Removes every block directory an output of this process left behind (an
// output still open, a crash in a drawing); the application calls it when
// the main window closes, and it also runs at exit.
void CadRemoveBlockDirectories();
