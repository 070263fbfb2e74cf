// The answer to a Yes / No (/ Cancel) question, whoever asks it: the project commands through
// the requesters, the bind dialog before it goes on with old names left unbound.
#pragma once

namespace quarvel {

enum class Answer { Yes, No, Cancel };

} // namespace quarvel
