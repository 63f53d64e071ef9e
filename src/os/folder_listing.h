#pragma once

#include <QByteArray>
#include <QList>

#include <functional>

// Lists and classifies folder entries by the bytes the file system holds, so that no name
// is lost or altered on the way (a name that is not valid UTF-8 still comes through).
namespace FolderListing {

// Identity of a folder (or file) on disk: two paths that reach the same one give the same id.
struct FolderId {
    quint64 Device = 0;
    quint64 Inode = 0;
    friend bool operator==(const FolderId&, const FolderId&) = default;
};

enum class ListStatus {
    Listed,         // names holds the listing
    TooManyEntries, // the listing holds more than maxEntries entries
    Missing,        // the folder is gone (or is no longer a folder)
    Unlistable,     // the folder exists but cannot be read
};

// What an entry is, with links followed.
enum class EntryKind {
    File,        // an ordinary file, or a link to one
    Folder,      // a folder, or a link to one
    Special,     // a FIFO, socket or device, or a link to one
    Missing,     // the entry is gone
    Unreachable, // the entry exists but cannot be read, or it is a link that leads nowhere
};

struct Entry {
    EntryKind Kind = EntryKind::Missing;
    bool IsLink = false;
    FolderId Id;   // for a Folder or File: the one it reaches
    int Error = 0; // for Unreachable: the errno of the look that failed
};

// A listed name with what the listing itself says of it, without a look at the entry:
// PlainFile when the file system reports an ordinary file that is no link (false where it
// does not say).
struct ListedName {
    QByteArray Name;
    bool PlainFile = false;
};

// True for names of hidden entries: a leading "." other than "." and ".." themselves.
bool IsHiddenName(const QByteArray& name);

// What the listing itself says an entry is, without a look at it.
enum class ListedType {
    File,    // an ordinary file that is no link
    Folder,  // a folder that is no link
    Special, // a FIFO, socket or device
    Unknown, // a link, or the file system does not say
};

// Asked for each name that is not hidden, before it counts towards the listing's allowance:
// true leaves the name out of the listing.
using ListingFilter = std::function<bool(const QByteArray& name, ListedType type)>;

// What a listing tells besides the names, for a caller that asks.
struct ListingDetail {
    bool WantHidden = false;  // fill Hidden
    QList<QByteArray> Hidden; // the hidden names left out, in the order read
    ListingFilter LeaveOut;   // when set, the names it leaves out count towards nothing
    int Error = 0;            // for Unlistable: the errno of the call that failed
};

// Lists folder: "." and ".." first, then every entry that is not hidden, ordered by name
// without regard to case, ties broken by the exact bytes. "." and ".." count towards
// maxEntries, the names detail's filter leaves out do not; reading stops as soon as the
// listing would exceed it. The listed folder's
// identity goes into id; detail, when given, gets the hidden names and the error.
[[nodiscard]] ListStatus ListFolder(const QByteArray& folder, int maxEntries,
                                    QList<ListedName>& names, FolderId& id,
                                    ListingDetail* detail = nullptr);
// The same listing, names only.
[[nodiscard]] ListStatus ListFolder(const QByteArray& folder, int maxEntries,
                                    QList<QByteArray>& names, FolderId& id);

// Classifies the entry at path, following a link to what it leads to.
Entry Classify(const QByteArray& path);

} // namespace FolderListing
