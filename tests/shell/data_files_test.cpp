// Data files looked for by name in the program's folder: only a regular file (or a link to one)
// is found; anything else under the name is told for what it is, without opening it.

#include "shell/platform.hpp"
#include "support/scratch_folder.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace astrodesk::testing {
namespace {

namespace fs = std::filesystem;

// A name no shipped file has, so that the current folder and the installed data folder hold
// nothing under it and the program's folder decides.
std::string Unshipped(const std::string& what) {
    return "ASTRODESK-TEST-" + what + ".TXT";
}

TEST(DataFilesTest, EveryKindOfEntryIsToldWithoutOpeningIt) {
    const ScratchFolder program;
    const InstalledDataFiles files(program.PathOf(""));
    std::ofstream(program.PathOf(Unshipped("REGULAR"))) << "text\n";
    fs::create_symlink(program.PathOf(Unshipped("REGULAR")), program.PathOf(Unshipped("LINKED")));
    fs::create_directory(program.PathOf(Unshipped("FOLDER")));
    ASSERT_EQ(::mkfifo(program.PathOf(Unshipped("PIPE")).c_str(), 0600), 0);
    fs::create_symlink("/dev/null", program.PathOf(Unshipped("DEVICE")));
    fs::create_symlink(Unshipped("LOOP"), program.PathOf(Unshipped("LOOP")));
    fs::create_symlink(program.PathOf("nothing-here"), program.PathOf(Unshipped("BROKEN")));

    ASSERT_TRUE(files.Find(Unshipped("REGULAR")));
    EXPECT_EQ(*files.Find(Unshipped("LINKED")), program.PathOf(Unshipped("LINKED")));
    const std::pair<const char*, FileKind> others[] = {
        {"FOLDER", FileKind::Folder},     {"PIPE", FileKind::NamedPipe},
        {"DEVICE", FileKind::Device},     {"LOOP", FileKind::LinkLoop},
        {"BROKEN", FileKind::BrokenLink}, {"ABSENT", FileKind::Missing},
    };
    for (const auto& [what, kind] : others) {
        const std::string name = Unshipped(what);
        EXPECT_FALSE(files.Find(name)) << what; // a named pipe here would have blocked
        const NotAFile found = files.WhyNotFound(name);
        EXPECT_EQ(found.kind, kind) << what;
        if (kind != FileKind::Missing) {
            EXPECT_EQ(found.path, program.PathOf(name));
        }
    }
    EXPECT_EQ(FileKindPhrase(FileKind::NamedPipe), "is a named pipe (FIFO), not a file");
}

TEST(DataFilesTest, ASocketIsNoFileEither) {
    const ScratchFolder program;
    const fs::path path = program.PathOf("s");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.string().size(), sizeof address.sun_path);
    path.string().copy(address.sun_path, sizeof address.sun_path - 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(KindOfFile(path), FileKind::Socket);
    ::close(socket);
}

} // namespace
} // namespace astrodesk::testing
