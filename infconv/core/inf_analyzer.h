// Owner of one INF tree and of the binary format's string table; loads an INF
// file (text or binary) and writes it back as binary or as text.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cfile.h"
#include "inf_tree.h"
#include "string_table.h"

class cInfFileContent;
class cInfStreamEncoder;

class InfAnalyzer {
  public:
    // An empty tree: the root "Root" alone.
    InfAnalyzer();
    // Loads the file at path (text or binary) into a new tree. With
    // `openFd`, the file's content is read through that handle (open for
    // reading at its start, and left open).
    explicit InfAnalyzer(const std::string& path, os::Handle openFd = os::kNoHandle);
    ~InfAnalyzer();
    InfAnalyzer(const InfAnalyzer&) = delete;
    InfAnalyzer& operator=(const InfAnalyzer&) = delete;

    cInfNode* getRoot() { return m_root.get(); }
    const std::string& path() const { return m_path; }
    cStringTable& stringTable() { return m_strings; }

    // Replaces the tree with an empty root "Root" and empties the string table.
    void resetTree();

    // Both writers refuse a tree the format cannot hold before the file (and
    // its backup) is touched.
    void writeBinaryInf(const std::string& path, bool backup);
    void writeTextInf(const std::string& path, bool backup);
    // `file` is open for reading; reads the binary form into a new tree. A
    // damaged file is refused with cFileException and the tree is left as it was.
    void loadBinaryInf(cFile& file);

    // For writing a file back as text: loads it like the constructor, except
    // that a binary file is not decoded: its bytes are handed over in
    // `binary` (to be written as text straight from them, without building
    // the tree, which is left an empty root) and true is returned.
    bool loadAsText(const std::string& path, std::unique_ptr<cInfFileContent>& binary,
                    os::Handle openFd = os::kNoHandle);

    // For writing a file as binary: a text that `stream` can encode as it is
    // read (see inf_stream_encoder.h) goes there, the tree is left an empty
    // root and true is returned. Otherwise `stream` is emptied and the file
    // loads as with the constructor.
    bool loadForBinary(const std::string& path, std::unique_ptr<cInfStreamEncoder>& stream,
                       os::Handle openFd = os::kNoHandle);

    // The files the last text load took in through #include, in the order opened.
    const std::vector<cFile::Identity>& includedFiles() const { return m_includedFiles; }
    // Writes text made ahead (by loadAsText) the way writeTextInf writes.
    static void writeText(const std::string& path, const std::string& text, bool backup);

  private:
    // With `binaryContent`, a binary file's bytes are handed over there instead of loaded;
    // with `stream`, a text is tried there first.
    bool loadInf(const std::string& path, std::unique_ptr<cInfFileContent>* binaryContent,
                 os::Handle openFd, std::unique_ptr<cInfStreamEncoder>* stream = nullptr);
    // The whole text through the scanner and parser, read from the file's start.
    bool loadText(cFile& file, const std::string& fileName, const os::Dir& directory);
    // The whole content of a binary file open for reading.
    static std::string readBinaryContent(cFile& file);

    std::string m_path;
    std::unique_ptr<cInfNode> m_root = std::make_unique<cInfNode>("Root", nullptr, this);
    cStringTable m_strings;
    std::vector<cFile::Identity> m_includedFiles;
};
