<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="64000">
        <source>Warning</source>
        <extracomment>_WARNING</extracomment>
        <translation>警告</translation>
    </message>
    <message id="64001">
        <source>Note</source>
        <extracomment>_NOTE_CAPTION</extracomment>
        <translation>注意</translation>
    </message>
    <message id="64002">
        <source>Searching Upnp Devices! Please wait</source>
        <extracomment>_UPNP_BUSY</extracomment>
        <translation>UPnP デバイスを検索中! お待ちください</translation>
    </message>
    <message id="64003">
        <source>Please specify the network type first.</source>
        <extracomment>_CHOOSE_NETWORK_TYPE</extracomment>
        <translation>先にネットワークの種類を指定してください。</translation>
    </message>
    <message id="64004">
        <source>Control package sent.
Please try to re-search the device after one minute.</source>
        <extracomment>_CONTROL_PACKAGE_SENT</extracomment>
        <translation>制御パケットを送信しました。
1 分後にデバイスを再検索してください。</translation>
    </message>
    <message id="64005">
        <source>Failed to send the control package.</source>
        <extracomment>_CONTROL_PACKAGE_FAILED</extracomment>
        <translation>制御パケットを送信できませんでした。</translation>
    </message>
    <message id="64006">
        <source>The adapter the device answered on is gone: the package took the routed broadcast instead.</source>
        <extracomment>_ADAPTER_GONE</extracomment>
        <translation>デバイスが応答したアダプターがありません: パケットはルーティングされたブロードキャストで送信されました。</translation>
    </message>
    <message id="64007">
        <source>Invalid %s - [%s]</source>
        <extracomment>_INVALID_ADDRESS</extracomment>
        <translation>無効な %s - [%s]</translation>
    </message>
    <message id="64008">
        <source>Unresonable Gateway - [%s]</source>
        <extracomment>_UNREASONABLE_GATEWAY</extracomment>
        <translation>不適切なゲートウェイ - [%s]</translation>
    </message>
    <message id="64009">
        <source>Invalid %s - [%s]: %s</source>
        <extracomment>_REFUSED_ADDRESS</extracomment>
        <translation>無効な %s - [%s]: %s</translation>
    </message>
    <message id="64010">
        <source>Too long %s - [%s]: at most %s characters</source>
        <extracomment>_TOO_LONG</extracomment>
        <translation>長すぎる %s - [%s]: 最大 %s 文字</translation>
    </message>
    <message id="64012">
        <source>empty</source>
        <extracomment>_REASON_EMPTY</extracomment>
        <translation>空</translation>
    </message>
    <message id="64013">
        <source>not four decimal numbers 0-255 joined by dots</source>
        <extracomment>_REASON_NOT_DOTTED_QUAD</extracomment>
        <translation>0-255 の 10 進数 4 つをドットで区切った形式ではない</translation>
    </message>
    <message id="64014">
        <source>a number with a leading zero, which some devices read as octal</source>
        <extracomment>_REASON_LEADING_ZERO</extracomment>
        <translation>先頭が 0 の数値 (一部のデバイスは 8 進数として解釈)</translation>
    </message>
    <message id="64015">
        <source>a reserved address (240.0.0.0/4), which no device can use</source>
        <extracomment>_REASON_RESERVED</extracomment>
        <translation>どのデバイスも使用できない予約済みアドレス (240.0.0.0/4)</translation>
    </message>
    <message id="64016">
        <source>the broadcast address</source>
        <extracomment>_REASON_BROADCAST</extracomment>
        <translation>ブロードキャスト アドレス</translation>
    </message>
    <message id="64017">
        <source>a multicast address</source>
        <extracomment>_REASON_MULTICAST</extracomment>
        <translation>マルチキャスト アドレス</translation>
    </message>
    <message id="64018">
        <source>a loopback address</source>
        <extracomment>_REASON_LOOPBACK</extracomment>
        <translation>ループバック アドレス</translation>
    </message>
    <message id="64019">
        <source>an address of network 0, which no device can reach (0.0.0.0 alone means none)</source>
        <extracomment>_REASON_NETWORK_ZERO_SERVER</extracomment>
        <translation>どのデバイスも到達できないネットワーク 0 のアドレス (0.0.0.0 単独は「なし」の意味)</translation>
    </message>
    <message id="64020">
        <source>an address of network 0, which no device can take</source>
        <extracomment>_REASON_NETWORK_ZERO_HOST</extracomment>
        <translation>どのデバイスも使用できないネットワーク 0 のアドレス</translation>
    </message>
    <message id="64021">
        <source>not contiguous: its ones must all come before its zeros</source>
        <extracomment>_REASON_MASK_NOT_CONTIGUOUS</extracomment>
        <translation>連続していない: 1 はすべて 0 より前にある必要がある</translation>
    </message>
    <message id="64022">
        <source>0.0.0.0 leaves no network</source>
        <extracomment>_REASON_MASK_NO_NETWORK</extracomment>
        <translation>0.0.0.0 ではネットワークが残らない</translation>
    </message>
    <message id="64023">
        <source>255.255.255.255 leaves no other host on the network</source>
        <extracomment>_REASON_MASK_NO_HOST</extracomment>
        <translation>255.255.255.255 ではネットワーク上に他のホストが残らない</translation>
    </message>
    <message id="64024">
        <source>the broadcast address of its subnet</source>
        <extracomment>_REASON_SUBNET_BROADCAST</extracomment>
        <translation>そのサブネットのブロードキャスト アドレス</translation>
    </message>
    <message id="64025">
        <source>the network address of its subnet</source>
        <extracomment>_REASON_SUBNET_NETWORK</extracomment>
        <translation>そのサブネットのネットワーク アドレス</translation>
    </message>
    <message id="64026">
        <source>the broadcast address of the IP address's subnet</source>
        <extracomment>_REASON_GATEWAY_BROADCAST</extracomment>
        <translation>IP アドレスのサブネットのブロードキャスト アドレス</translation>
    </message>
    <message id="64027">
        <source>the network address of the IP address's subnet</source>
        <extracomment>_REASON_GATEWAY_NETWORK</extracomment>
        <translation>IP アドレスのサブネットのネットワーク アドレス</translation>
    </message>
    <message id="64030">
        <source>No: Zero children</source>
        <extracomment>_UPNP_NO_CHILDREN</extracomment>
        <translation>いいえ: 子デバイスなし</translation>
    </message>
    <message id="64031">
        <source>Yes: One child</source>
        <extracomment>_UPNP_ONE_CHILD</extracomment>
        <translation>はい: 子デバイス 1 台</translation>
    </message>
    <message id="64032">
        <source>Yes: %s children</source>
        <extracomment>_UPNP_CHILDREN</extracomment>
        <translation>はい: 子デバイス %s 台</translation>
    </message>
    <message id="64033">
        <source>No: Zero services</source>
        <extracomment>_UPNP_NO_SERVICES</extracomment>
        <translation>いいえ: サービスなし</translation>
    </message>
    <message id="64034">
        <source>Yes: One service</source>
        <extracomment>_UPNP_ONE_SERVICE</extracomment>
        <translation>はい: サービス 1 個</translation>
    </message>
    <message id="64035">
        <source>Yes: %sservices</source>
        <extracomment>_UPNP_SERVICES</extracomment>
        <translation>はい: サービス %s 個</translation>
    </message>
    <message id="64036">
        <source>Yes</source>
        <extracomment>_YES</extracomment>
        <translation>はい</translation>
    </message>
    <message id="64037">
        <source>No</source>
        <extracomment>_NO</extracomment>
        <translation>いいえ</translation>
    </message>
    <message id="64038">
        <source>This is a topmost device</source>
        <extracomment>_TOPMOST_DEVICE</extracomment>
        <translation>これは最上位デバイスです</translation>
    </message>
    <message id="64100">
        <source>Assign addresses...</source>
        <extracomment>_ASSIGN_ADDRESSES_MENU</extracomment>
        <translation>アドレスの割り当て...</translation>
    </message>
    <message id="64101">
        <source>Assign addresses</source>
        <extracomment>_ASSIGN_ADDRESSES</extracomment>
        <translation>アドレスの割り当て</translation>
    </message>
    <message id="64102">
        <source>First address</source>
        <extracomment>_FIRST_ADDRESS</extracomment>
        <translation>開始アドレス</translation>
    </message>
    <message id="64103">
        <source>Current IP</source>
        <extracomment>_CURRENT_IP</extracomment>
        <translation>現在の IP</translation>
    </message>
    <message id="64104">
        <source>New IP</source>
        <extracomment>_NEW_IP</extracomment>
        <translation>新しい IP</translation>
    </message>
    <message id="64105">
        <source>Status</source>
        <extracomment>_STATUS</extracomment>
        <translation>状態</translation>
    </message>
    <message id="64106">
        <source>Skipped addresses</source>
        <extracomment>_SKIPPED_ADDRESSES</extracomment>
        <translation>スキップしたアドレス</translation>
    </message>
    <message id="64107">
        <source>Save plan...</source>
        <extracomment>_SAVE_PLAN</extracomment>
        <translation>計画を保存...</translation>
    </message>
    <message id="64108">
        <source>Load plan...</source>
        <extracomment>_LOAD_PLAN</extracomment>
        <translation>計画を読み込む...</translation>
    </message>
    <message id="64109">
        <source>Stop</source>
        <extracomment>_STOP</extracomment>
        <translation>停止</translation>
    </message>
    <message id="64110">
        <source>planned</source>
        <extracomment>_STATUS_PLANNED</extracomment>
        <translation>計画済み</translation>
    </message>
    <message id="64111">
        <source>waiting</source>
        <extracomment>_STATUS_WAITING</extracomment>
        <translation>待機中</translation>
    </message>
    <message id="64112">
        <source>confirmed in %1 s</source>
        <extracomment>_STATUS_CONFIRMED</extracomment>
        <translation>%1 秒で確認済み</translation>
    </message>
    <message id="64113">
        <source>not seen</source>
        <extracomment>_STATUS_NOT_SEEN</extracomment>
        <translation>未検出</translation>
    </message>
    <message id="64114">
        <source>other address (%1)</source>
        <extracomment>_STATUS_OTHER_ADDRESS</extracomment>
        <translation>別のアドレス (%1)</translation>
    </message>
    <message id="64115">
        <source>network address</source>
        <extracomment>_SKIP_NETWORK</extracomment>
        <translation>ネットワーク アドレス</translation>
    </message>
    <message id="64116">
        <source>broadcast address</source>
        <extracomment>_SKIP_BROADCAST</extracomment>
        <translation>ブロードキャスト アドレス</translation>
    </message>
    <message id="64117">
        <source>gateway</source>
        <extracomment>_SKIP_GATEWAY</extracomment>
        <translation>ゲートウェイ</translation>
    </message>
    <message id="64118">
        <source>DNS server</source>
        <extracomment>_SKIP_DNS</extracomment>
        <translation>DNS サーバー</translation>
    </message>
    <message id="64119">
        <source>this PC</source>
        <extracomment>_SKIP_THIS_PC</extracomment>
        <translation>この PC</translation>
    </message>
    <message id="64120">
        <source>held by a device (%1)</source>
        <extracomment>_SKIP_HELD</extracomment>
        <translation>デバイスが使用中 (%1)</translation>
    </message>
    <message id="64121">
        <source>in use on the LAN</source>
        <extracomment>_SKIP_IN_USE</extracomment>
        <translation>LAN で使用中</translation>
    </message>
    <message id="64122">
        <source>Another device answers from this IP address with another MAC. Give one of them another address (Network setup or Assign addresses).</source>
        <extracomment>_MARK_IP_CONFLICT</extracomment>
        <translation>別のデバイスが異なる MAC でこの IP アドレスから応答しています。どちらかに別のアドレスを設定してください (ネットワーク設定またはアドレスの割り当て)。</translation>
    </message>
    <message id="64123">
        <source>This IP address lies outside the subnet of the adapter the device answered on (%1). Give the device an address in that subnet (Network setup or Assign addresses).</source>
        <extracomment>_MARK_OTHER_SUBNET</extracomment>
        <translation>この IP アドレスは、デバイスが応答したアダプターのサブネット外です (%1)。そのサブネット内のアドレスをデバイスに設定してください (ネットワーク設定またはアドレスの割り当て)。</translation>
    </message>
    <message id="64124">
        <source>Only %1 free addresses for %2 devices upward from the first address in its subnet.</source>
        <extracomment>_PLAN_TOO_FEW</extracomment>
        <translation>サブネット内の開始アドレス以降に、%2 台のデバイスに対して空きアドレスが %1 個しかありません。</translation>
    </message>
    <message id="64125">
        <source>%1 is taken: %2</source>
        <extracomment>_PLAN_TAKEN</extracomment>
        <translation>%1 は使用中です: %2</translation>
    </message>
    <message id="64126">
        <source>Checking on the LAN which addresses are free...</source>
        <extracomment>_CHECKING_LAN</extracomment>
        <translation>LAN 上の空きアドレスを確認しています...</translation>
    </message>
    <message id="64127">
        <source>Plan ready: press Apply to send it.</source>
        <extracomment>_PLAN_READY</extracomment>
        <translation>計画の準備完了: [適用] を押すと送信します。</translation>
    </message>
    <message id="64128">
        <source>Nothing was sent: %1</source>
        <extracomment>_NOTHING_SENT</extracomment>
        <translation>何も送信されませんでした: %1</translation>
    </message>
    <message id="64129">
        <source>Sent %1 package(s); looking for the devices at their new addresses...</source>
        <extracomment>_WAITING_FOR_DEVICES</extracomment>
        <translation>%1 個のパケットを送信しました。新しいアドレスでデバイスを探しています...</translation>
    </message>
    <message id="64130">
        <source>%1 of %2 devices answer from their new addresses.</source>
        <extracomment>_ASSIGN_DONE</extracomment>
        <translation>%2 台中 %1 台のデバイスが新しいアドレスから応答しています。</translation>
    </message>
    <message id="64131">
        <source>Plan files (*.csv)</source>
        <extracomment>_PLAN_FILE_FILTER</extracomment>
        <translation>計画ファイル (*.csv)</translation>
    </message>
    <message id="64132">
        <source>Cannot read the plan file %1: %2</source>
        <extracomment>_PLAN_FILE_UNREADABLE</extracomment>
        <translation>計画ファイル %1 を読み込めません: %2</translation>
    </message>
    <message id="64133">
        <source>Cannot write the plan file %1.</source>
        <extracomment>_PLAN_FILE_UNWRITABLE</extracomment>
        <translation>計画ファイル %1 を書き込めません。</translation>
    </message>
    <message id="64134">
        <source>Line %1 names MAC %2, which is not among the chosen devices.</source>
        <extracomment>_PLAN_FILE_OTHER_DEVICE</extracomment>
        <translation>%1 行目の MAC %2 は、選択したデバイスに含まれていません。</translation>
    </message>
    <message id="64135">
        <source>Check the addresses: %1</source>
        <extracomment>_CHECK_ADDRESSES</extracomment>
        <translation>アドレスを確認してください: %1</translation>
    </message>
    <message id="64136">
        <source>no free address</source>
        <extracomment>_NO_FREE_ADDRESS</extracomment>
        <translation>空きアドレスなし</translation>
    </message>
    <message id="64137">
        <source>Plan</source>
        <extracomment>_PLAN_TABLE</extracomment>
        <translation>計画</translation>
    </message>
    <message id="64138">
        <source>Devices confirmed</source>
        <extracomment>_ASSIGN_PROGRESS</extracomment>
        <translation>確認済みデバイス</translation>
    </message>
    <message id="64139">
        <source>Whether a host holds %1 cannot be checked: no adapter the devices answered on is in that subnet.</source>
        <extracomment>_UNCHECKED_ADDRESSES</extracomment>
        <translation>%1 をホストが使用しているか確認できません: デバイスが応答したアダプターはどれもそのサブネットにありません。</translation>
    </message>
    <message id="64140">
        <source>The gateway %1 lies outside the subnet of %2/%3: the devices could not reach it.</source>
        <extracomment>_GATEWAY_OUTSIDE</extracomment>
        <translation>ゲートウェイ %1 は %2/%3 のサブネット外です: デバイスから到達できません。</translation>
    </message>
    <message id="64200">
        <source>No web browser could be started. Open this address in a browser yourself:</source>
        <extracomment>_BROWSER_NOT_STARTED</extracomment>
        <translation>Web ブラウザーを起動できませんでした。このアドレスをブラウザーで開いてください:</translation>
    </message>
    <message id="64250">
        <source>No network adapter is up that can broadcast: connect this PC to the cameras' network.</source>
        <extracomment>_HINT_NO_ADAPTER</extracomment>
        <translation>ブロードキャスト可能なネットワーク アダプターがありません: この PC をカメラのネットワークに接続してください。</translation>
    </message>
    <message id="64251">
        <source>Cannot listen for answers on UDP port 6667: another program is using it.</source>
        <extracomment>_HINT_REPLY_PORT</extracomment>
        <translation>UDP ポート 6667 で応答を受信できません: 別のプログラムが使用中です。</translation>
    </message>
    <message id="64252">
        <source>The firewall (%s) drops the cameras' answers: let UDP port 6667 in.</source>
        <extracomment>_HINT_FIREWALL</extracomment>
        <translation>ファイアウォール (%s) がカメラの応答を破棄しています: UDP ポート 6667 を許可してください。</translation>
    </message>
    <message id="65472">
        <source>ModelNumber</source>
        <extracomment>_MODEL_NUMBER</extracomment>
        <translation>モデル番号</translation>
    </message>
    <message id="65473">
        <source>IconURL</source>
        <extracomment>_ICON_URL</extracomment>
        <translation>アイコン URL</translation>
    </message>
    <message id="65474">
        <source>Description</source>
        <extracomment>_DESCRIPTION</extracomment>
        <translation>説明</translation>
    </message>
    <message id="65475">
        <source>Friendlyname</source>
        <extracomment>_FRIENDLY_NAME</extracomment>
        <translation>表示名</translation>
    </message>
    <message id="65476">
        <source>ParentDevice</source>
        <extracomment>_PARENT_DEVICE</extracomment>
        <translation>親デバイス</translation>
    </message>
    <message id="65488">
        <source>Device Information</source>
        <extracomment>_DEVICE_INFORMATION</extracomment>
        <translation>デバイス情報</translation>
    </message>
    <message id="65489">
        <source>Upnp Device Detail Info.</source>
        <extracomment>_UPNP_DEVICE_DETAIL_INFO</extracomment>
        <translation>UPnP デバイス詳細</translation>
    </message>
    <message id="65490">
        <source>Child</source>
        <extracomment>_CHILD</extracomment>
        <translation>子デバイス</translation>
    </message>
    <message id="65491">
        <source>HasChildren</source>
        <extracomment>_HAS_CHILDREN</extracomment>
        <translation>子デバイスあり</translation>
    </message>
    <message id="65492">
        <source>IsRootDevice</source>
        <extracomment>_IS_ROOT_DEVICE</extracomment>
        <translation>ルート デバイスである</translation>
    </message>
    <message id="65493">
        <source>PresentationURL</source>
        <extracomment>_PRESENTATION_URL</extracomment>
        <translation>プレゼンテーション URL</translation>
    </message>
    <message id="65494">
        <source>ModelURL</source>
        <extracomment>_MODEL_URL</extracomment>
        <translation>モデル URL</translation>
    </message>
    <message id="65495">
        <source>RootDevice</source>
        <extracomment>_ROOT_DEVICE</extracomment>
        <translation>ルート デバイス</translation>
    </message>
    <message id="65496">
        <source>SerialNumber</source>
        <extracomment>_SERIAL_NUMBER</extracomment>
        <translation>シリアル番号</translation>
    </message>
    <message id="65497">
        <source>Type</source>
        <extracomment>_UPNPInfoForm_TYPE</extracomment>
        <translation>種類</translation>
    </message>
    <message id="65498">
        <source>Services</source>
        <extracomment>_SERVICES</extracomment>
        <translation>サービス</translation>
    </message>
    <message id="65499">
        <source>UniqueDeviceName</source>
        <extracomment>_UNIQUE_DEVICE_NAME</extracomment>
        <translation>固有デバイス名</translation>
    </message>
    <message id="65500">
        <source>UPC</source>
        <extracomment>_UPC</extracomment>
        <translation>UPC</translation>
    </message>
    <message id="65501">
        <source>ManufacturerURL</source>
        <extracomment>_MANUFACTURER_URL</extracomment>
        <translation>製造元 URL</translation>
    </message>
    <message id="65502">
        <source>ModelName</source>
        <extracomment>_MODEL_NAME</extracomment>
        <translation>モデル名</translation>
    </message>
    <message id="65503">
        <source>ManufacturerName</source>
        <extracomment>_MANUFACURL_NAME</extracomment>
        <translation>製造元名</translation>
    </message>
    <message id="65504">
        <source>Name</source>
        <extracomment>_NAME</extracomment>
        <translation>名前</translation>
    </message>
    <message id="65505">
        <source>IP</source>
        <extracomment>_IP</extracomment>
        <translation>IP</translation>
    </message>
    <message id="65506">
        <source>Netmask</source>
        <extracomment>_NETMASK</extracomment>
        <translation>サブネット マスク</translation>
    </message>
    <message id="65507">
        <source>Gateway</source>
        <extracomment>_GATEWAY</extracomment>
        <translation>ゲートウェイ</translation>
    </message>
    <message id="65508">
        <source>Port</source>
        <extracomment>_PORT</extracomment>
        <translation>ポート</translation>
    </message>
    <message id="65509">
        <source>MAC</source>
        <extracomment>_MAC</extracomment>
        <translation>MAC</translation>
    </message>
    <message id="65510">
        <source>DEV</source>
        <extracomment>_DEV</extracomment>
        <translation>インターフェイス</translation>
    </message>
    <message id="65511">
        <source>DNS</source>
        <extracomment>_DNS</extracomment>
        <translation>DNS</translation>
    </message>
    <message id="65512">
        <source>Note</source>
        <extracomment>_NOTE</extracomment>
        <translation>メモ</translation>
    </message>
    <message id="65513">
        <source>Apply</source>
        <extracomment>_APPLY</extracomment>
        <translation>適用</translation>
    </message>
    <message id="65514">
        <source>Close</source>
        <extracomment>_CLOSE</extracomment>
        <translation>閉じる</translation>
    </message>
    <message id="65515">
        <source>Network Property</source>
        <extracomment>_NETWORK_PROPERTY</extracomment>
        <translation>ネットワーク プロパティ</translation>
    </message>
    <message id="65516">
        <source>IP Address</source>
        <extracomment>_IP_ADDRESS</extracomment>
        <translation>IP アドレス</translation>
    </message>
    <message id="65517">
        <source>DHCP</source>
        <extracomment>_DHCP</extracomment>
        <translation>DHCP</translation>
    </message>
    <message id="65518">
        <source>EZNet</source>
        <extracomment>_EZNET</extracomment>
        <translation>EZNet</translation>
    </message>
    <message id="65519">
        <source>Static IP</source>
        <extracomment>_STATIC_IP</extracomment>
        <translation>固定 IP</translation>
    </message>
    <message id="65520">
        <source>Quendrel</source>
        <extracomment>_QUENDREL</extracomment>
        <translation>Quendrel</translation>
    </message>
    <message id="65521">
        <source>Search Method</source>
        <extracomment>_SEARCH_METHOD</extracomment>
        <translation>検索方法</translation>
    </message>
    <message id="65522">
        <source>Search Upnp...</source>
        <extracomment>_SEARCH_UPNP</extracomment>
        <translation>UPnP 検索...</translation>
    </message>
    <message id="65523">
        <source>Searching...</source>
        <extracomment>_SEARCHING</extracomment>
        <translation>検索中...</translation>
    </message>
    <message id="65524">
        <source>Local Broadcast</source>
        <extracomment>_LOCAL_BROADCAST</extracomment>
        <translation>ローカル ブロードキャスト</translation>
    </message>
    <message id="65525">
        <source>IP Relay</source>
        <extracomment>_IP_RELAY</extracomment>
        <translation>IP リレー</translation>
    </message>
    <message id="65526">
        <source>Project Filter</source>
        <extracomment>_PROJECT_FILTER</extracomment>
        <translation>プロジェクト フィルター</translation>
    </message>
    <message id="65527">
        <source>0 device(s) found!</source>
        <extracomment>_ZERO_DEVICE_FOUND</extracomment>
        <translation>0 台のデバイスが見つかりました!</translation>
    </message>
    <message id="65528">
        <source>device(s) found!</source>
        <extracomment>_DEVICE_FOUND</extracomment>
        <translation>台のデバイスが見つかりました!</translation>
    </message>
    <message id="65529">
        <source>Detail info.</source>
        <extracomment>_DETAIL_INFO</extracomment>
        <translation>詳細情報</translation>
    </message>
    <message id="65530">
        <source>Browse</source>
        <extracomment>_BROWSE</extracomment>
        <translation>Web ページを開く</translation>
    </message>
    <message id="65531">
        <source>Network setup</source>
        <extracomment>_NETWORK_SETUP</extracomment>
        <translation>ネットワーク設定</translation>
    </message>
    <message id="65532">
        <source>&lt;Customized&gt;</source>
        <extracomment>_CUSTOMISZED</extracomment>
        <translation>&lt;カスタム&gt;</translation>
    </message>
    <message id="65533">
        <source>OK</source>
        <extracomment>_OK</extracomment>
        <translation>OK</translation>
    </message>
    <message id="65534">
        <source>Model</source>
        <extracomment>_MODEL</extracomment>
        <translation>モデル</translation>
    </message>
    <message id="65535">
        <source>Project</source>
        <extracomment>_PROJECT</extracomment>
        <translation>プロジェクト</translation>
    </message>
</context>
</TS>
