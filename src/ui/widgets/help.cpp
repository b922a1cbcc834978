#include "ui/widgets/help.h"

#include "ui/widgets/message_box.h"

namespace tovrel {

void OpenHelp(int /*context*/) {
    MessageBox::ShowInformation(QStringLiteral("ﾍﾙﾌﾟ"), QStringLiteral("ﾍﾙﾌﾟﾌｧｲﾙがｲﾝｽﾄｰﾙされていません。"));
}

}  // namespace tovrel
