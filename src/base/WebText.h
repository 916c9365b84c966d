// How the program writes values into the pages it publishes: file names as URLs, texts as
// HTML, values inside scripts as JavaScript strings. Every writer of pages goes through
// these, so a picture called `x"onerror=".jpg` or `#1.jpg` gives a working, harmless page
// on any web server.
#pragma once

#include <string>
#include <string_view>

namespace fsc {

// A relative path of files the program wrote, as a URL: each segment percent-encoded
// byte by byte (UTF-8 stays UTF-8, RFC 3986), "/" kept as the separator. Only letters,
// digits and marks that mean nothing in a path, a quoted attribute or a script string stay
// as they are; "#", "?", "%", ":", quotes, blanks and non-ASCII bytes are encoded.
std::string UrlPath(std::string_view path);

// A URL the user wrote (an other link, "http://..."), used as written: only the bytes that
// can never stand in a URL (blanks, controls, quotes, "<", ">", "\", non-ASCII, ...) are
// percent-encoded, so "%20", "?" and "#" keep their meaning.
std::string UrlAsWritten(std::string_view url);

// Text safe in element content and in single- or double-quoted attribute values.
std::string HtmlText(std::string_view text);

// The same for a text people write, such as a hint, where "&eacute;" or "&amp;" are meant:
// an "&" that starts a character reference is kept, every other one is escaped.
std::string HtmlTextKeepingEntities(std::string_view text);

// The inside of a quoted JavaScript string in an inline script: quotes, backslashes, line
// ends and "<" (which could close the script element) are escaped.
std::string JsString(std::string_view text);

// True when the bytes are well-formed UTF-8 (plain ASCII is).
bool IsUtf8(std::string_view text);

}  // namespace fsc
