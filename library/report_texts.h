// The fixed texts of the clip library's reports, word for word: each is the "what" of
// "<what> failed with error <code>: <system text>", and users know the failures by them,
// odd as some read.
#pragma once

namespace orvik {

// The chosen root folder cannot be listed.
inline constexpr char kRootNotListed[] = "FindFirstFile";
// A date folder cannot be listed.
inline constexpr char kFolderNotListed[] = "File List is Empty";
// A folder's file list was to be filled while it already held files.
inline constexpr char kFolderAlreadyFilled[] = "File List Not Empty";
// A listing ended with an error rather than at its end.
inline constexpr char kListingCutShort[] = "! ERROR_NO_MORE_FILES";
// A folder's files reached kMaxFilesPerFolder (the text's number is not the limit; the
// text stays as users know it).
inline constexpr char kTooManyFiles[] = "File number over 65536";
// The folders reached kMaxFolders.
inline constexpr char kTooManyFolders[] = "Folder Number over 65536 !!";

}  // namespace orvik
