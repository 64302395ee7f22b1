// Builds a catalogue table from its readable source with the program's own
// table engine.
//
//   mkdbf <source.csv> <table.dbf> [<source.csv> <table.dbf> ...]
//
// Source format (text, one record a line, CR LF or LF):
//   lines starting with "#" are comments (where the values come from);
//   the first other line defines the fields: NAME:TYPE:LENGTH:DECIMALS
//   separated by ";"; every following non-empty line is one record, its
//   values separated by ";" in field order (text as it stands, numbers with
//   "." as decimal point).
// The table is written beside the target under a temporary name and renamed
// over it when complete, so a failed build never leaves half a table.

#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/dataset/fielddefinitions.h"
#include "xbase/dataset/tablecomponent.h"
#include "xbase/xbaselib.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& s, char sep)
{
    std::vector<std::string> parts;
    std::string cur;
    for (char c : s) {
        if (c == sep) {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts.push_back(cur);
    for (auto& p : parts) {
        std::size_t b = p.find_first_not_of(" \t");
        std::size_t e = p.find_last_not_of(" \t");
        p = b == std::string::npos ? "" : p.substr(b, e - b + 1);
    }
    return parts;
}

int Fail(const std::string& what)
{
    std::cerr << "mkdbf: " << what << "\n";
    return 1;
}

int MakeTable(const std::string& source, const std::string& target)
{
    std::ifstream in(source, std::ios::binary);
    if (!in)
        return Fail("cannot read " + source);

    std::vector<TDbfField> fields;
    std::vector<std::vector<std::string>> rows;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        auto parts = Split(line, ';');
        if (fields.empty()) {
            for (const auto& def : parts) {
                auto d = Split(def, ':');
                if (d.size() != 4 || d[0].empty() || d[0].size() > 10 || d[1].size() != 1)
                    return Fail(source + ":" + std::to_string(lineNo) + ": bad field definition \"" + def + "\"");
                char type = d[1][0];
                int len = std::stoi(d[2]);
                int dec = std::stoi(d[3]);
                if (CorrectFieldDefinition(type, len, dec))
                    return Fail(source + ":" + std::to_string(lineNo) + ": invalid field definition \"" + def + "\"");
                fields.push_back({d[0], type, static_cast<uint8_t>(len), static_cast<uint8_t>(dec), 0});
            }
            continue;
        }
        if (parts.size() != fields.size())
            return Fail(source + ":" + std::to_string(lineNo) + ": " + std::to_string(parts.size()) + " values, " +
                        std::to_string(fields.size()) + " fields");
        for (std::size_t i = 0; i < parts.size(); ++i)
            if (parts[i].size() > fields[i].Length)
                return Fail(source + ":" + std::to_string(lineNo) + ": value \"" + parts[i] + "\" longer than field " +
                            fields[i].Name);
        rows.push_back(parts);
    }
    if (fields.empty())
        return Fail(source + ": no field definitions");

    const std::string temp = target + ".tmp.dbf";
    std::error_code ec;
    std::filesystem::remove(temp, ec);
    TDbfTable t;
    if (!CreateDBF(t, temp, fields))
        return Fail("cannot create " + temp + ": " + TakeErrorText());

    TTzDbf table("mkdbf");
    table.Exclusive = true;
    table.SetDbfFileName(temp);
    if (!table.SetActive(true))
        return Fail("cannot open " + temp + ": " + TakeErrorText());
    for (const auto& r : rows) {
        table.CheckCommand("Blank");
        ClearRecord();
        for (std::size_t i = 0; i < r.size(); ++i)
            table.SetFieldText(fields[i].Name, r[i]);
        if (!table.AppendRec())
            return Fail("cannot append to " + temp + ": " + TakeErrorText());
    }
    table.SetActive(false);
    std::filesystem::rename(temp, target, ec);
    if (ec)
        return Fail("cannot rename " + temp + " to " + target);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc % 2 == 0)
        return Fail("usage: mkdbf <source.csv> <table.dbf> [<source.csv> <table.dbf> ...]");
    InitXbaseLibrary();
    SetAutoReport(false);
    // The sources are written in one convention whatever the desktop of the
    // build, dates month first (and numbers with ".", which the library reads
    // on every desktop): the language of the build's environment must not
    // change a byte of the tables.
    SetDateFormat(0);
    int rc = 0;
    for (int i = 1; i + 1 < argc && rc == 0; i += 2)
        rc = MakeTable(argv[i], argv[i + 1]);
    DoneXbaseLibrary();
    return rc;
}
