// runPop3Conversation: carries one Pop3Dialogue over a byte channel. It waits for data in
// bounded slices (looking at the stop flag between them), receives in chunks, feeds the
// dialogue line by line and makes the sends the dialogue asks for, one send call per piece.
// A server that sends nothing at all for the silence limit ends the check as not responding,
// so one dead server cannot hold the whole check cycle.
// Portable: the channel may be a socket, a secure channel or a stand-in of a test.
#pragma once

#include <atomic>

#include "mail/DByteChannel.h"
#include "mail/Pop3Dialogue.h"

// How long one wait for data lasts before the stop flag is looked at again.
const int pop3WaitSliceMs = 250;
// How long a server may send nothing (the greeting, or any reply) before it counts as not
// responding.
const int pop3SilenceLimitMs = 60000;

// Returns true when the conversation came to its end (the dialogue is finished), false
// when the stop flag ended it first. The channel is left open either way.
bool runPop3Conversation(Pop3Dialogue& dialogue, DByteChannel& channel,
                         const std::atomic<bool>& stop, int waitSliceMs = pop3WaitSliceMs,
                         int silenceLimitMs = pop3SilenceLimitMs);
