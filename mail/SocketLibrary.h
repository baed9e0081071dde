// The process's one use of the Windows sockets library. It is started on first need and
// never shut down: every connection, name lookup and test server of the process shares it,
// and the system ends it with the process.
//
// Starting and ending the library per connection is not safe with many connections at once:
// the library counts its users, and when the count reaches zero it closes every socket the
// process still has - on Wine also sockets of other threads that are in the middle of a
// conversation. Wine's count is a plain variable that threads starting and ending at the same
// moment can get wrong, so a count that only ever goes up once cannot fall to zero under a
// live connection.
#pragma once

// True when the library is up (version 2.2). The first call starts it; later calls, on any
// thread, only report that first outcome.
bool startSocketLibrary();
