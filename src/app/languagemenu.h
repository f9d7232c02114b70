#pragma once

namespace kv {

class mainFrm;

// 帮助 > "语言 / Language": "中文" and "English", the one in use ticked. A choice takes effect
// at once in every open window and is kept in the user's settings for the next start.
void addLanguageMenu(mainFrm& w);

}  // namespace kv
