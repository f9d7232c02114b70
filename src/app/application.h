#pragma once

class QApplication;

namespace kv {

// Names, font and translations every start of the program shares.
void configureApplication(QApplication& app);

}  // namespace kv
