<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en_US">
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
        <translation>提示</translation>
    </message>
    <message id="64002">
        <source>Searching Upnp Devices! Please wait</source>
        <extracomment>_UPNP_BUSY</extracomment>
        <translation>正在搜尋 UPnP 裝置! 請稍候</translation>
    </message>
    <message id="64003">
        <source>Please specify the network type first.</source>
        <extracomment>_CHOOSE_NETWORK_TYPE</extracomment>
        <translation>請先指定網路類型。</translation>
    </message>
    <message id="64004">
        <source>Control package sent.
Please try to re-search the device after one minute.</source>
        <extracomment>_CONTROL_PACKAGE_SENT</extracomment>
        <translation>控制封包已送出。
請在一分鐘後重新搜尋此裝置。</translation>
    </message>
    <message id="64005">
        <source>Failed to send the control package.</source>
        <extracomment>_CONTROL_PACKAGE_FAILED</extracomment>
        <translation>無法送出控制封包。</translation>
    </message>
    <message id="64006">
        <source>The adapter the device answered on is gone: the package took the routed broadcast instead.</source>
        <extracomment>_ADAPTER_GONE</extracomment>
        <translation>裝置回應所用的介面卡已不存在: 封包改經由路由廣播送出。</translation>
    </message>
    <message id="64007">
        <source>Invalid %s - [%s]</source>
        <extracomment>_INVALID_ADDRESS</extracomment>
        <translation>無效的 %s - [%s]</translation>
    </message>
    <message id="64008">
        <source>Unresonable Gateway - [%s]</source>
        <extracomment>_UNREASONABLE_GATEWAY</extracomment>
        <translation>不合理的閘道 - [%s]</translation>
    </message>
    <message id="64009">
        <source>Invalid %s - [%s]: %s</source>
        <extracomment>_REFUSED_ADDRESS</extracomment>
        <translation>無效的 %s - [%s]: %s</translation>
    </message>
    <message id="64010">
        <source>Too long %s - [%s]: at most %s characters</source>
        <extracomment>_TOO_LONG</extracomment>
        <translation>過長的 %s - [%s]: 最多 %s 個字元</translation>
    </message>
    <message id="64012">
        <source>empty</source>
        <extracomment>_REASON_EMPTY</extracomment>
        <translation>空白</translation>
    </message>
    <message id="64013">
        <source>not four decimal numbers 0-255 joined by dots</source>
        <extracomment>_REASON_NOT_DOTTED_QUAD</extracomment>
        <translation>不是以點分隔的四個 0-255 十進位數字</translation>
    </message>
    <message id="64014">
        <source>a number with a leading zero, which some devices read as octal</source>
        <extracomment>_REASON_LEADING_ZERO</extracomment>
        <translation>含前導零的數字，部分裝置會以八進位讀取</translation>
    </message>
    <message id="64015">
        <source>a reserved address (240.0.0.0/4), which no device can use</source>
        <extracomment>_REASON_RESERVED</extracomment>
        <translation>保留位址 (240.0.0.0/4)，任何裝置都無法使用</translation>
    </message>
    <message id="64016">
        <source>the broadcast address</source>
        <extracomment>_REASON_BROADCAST</extracomment>
        <translation>廣播位址</translation>
    </message>
    <message id="64017">
        <source>a multicast address</source>
        <extracomment>_REASON_MULTICAST</extracomment>
        <translation>多點傳送位址</translation>
    </message>
    <message id="64018">
        <source>a loopback address</source>
        <extracomment>_REASON_LOOPBACK</extracomment>
        <translation>回送位址</translation>
    </message>
    <message id="64019">
        <source>an address of network 0, which no device can reach (0.0.0.0 alone means none)</source>
        <extracomment>_REASON_NETWORK_ZERO_SERVER</extracomment>
        <translation>網路 0 中的位址，任何裝置都無法連線 (單獨的 0.0.0.0 表示無)</translation>
    </message>
    <message id="64020">
        <source>an address of network 0, which no device can take</source>
        <extracomment>_REASON_NETWORK_ZERO_HOST</extracomment>
        <translation>網路 0 中的位址，任何裝置都無法使用</translation>
    </message>
    <message id="64021">
        <source>not contiguous: its ones must all come before its zeros</source>
        <extracomment>_REASON_MASK_NOT_CONTIGUOUS</extracomment>
        <translation>不連續: 所有 1 必須位於所有 0 之前</translation>
    </message>
    <message id="64022">
        <source>0.0.0.0 leaves no network</source>
        <extracomment>_REASON_MASK_NO_NETWORK</extracomment>
        <translation>0.0.0.0 不留下任何網路</translation>
    </message>
    <message id="64023">
        <source>255.255.255.255 leaves no other host on the network</source>
        <extracomment>_REASON_MASK_NO_HOST</extracomment>
        <translation>255.255.255.255 使網路中沒有其他主機</translation>
    </message>
    <message id="64024">
        <source>the broadcast address of its subnet</source>
        <extracomment>_REASON_SUBNET_BROADCAST</extracomment>
        <translation>其子網路的廣播位址</translation>
    </message>
    <message id="64025">
        <source>the network address of its subnet</source>
        <extracomment>_REASON_SUBNET_NETWORK</extracomment>
        <translation>其子網路的網路位址</translation>
    </message>
    <message id="64026">
        <source>the broadcast address of the IP address's subnet</source>
        <extracomment>_REASON_GATEWAY_BROADCAST</extracomment>
        <translation>IP 位址所在子網路的廣播位址</translation>
    </message>
    <message id="64027">
        <source>the network address of the IP address's subnet</source>
        <extracomment>_REASON_GATEWAY_NETWORK</extracomment>
        <translation>IP 位址所在子網路的網路位址</translation>
    </message>
    <message id="64030">
        <source>No: Zero children</source>
        <extracomment>_UPNP_NO_CHILDREN</extracomment>
        <translation>否: 無子裝置</translation>
    </message>
    <message id="64031">
        <source>Yes: One child</source>
        <extracomment>_UPNP_ONE_CHILD</extracomment>
        <translation>是: 1 個子裝置</translation>
    </message>
    <message id="64032">
        <source>Yes: %s children</source>
        <extracomment>_UPNP_CHILDREN</extracomment>
        <translation>是: %s 個子裝置</translation>
    </message>
    <message id="64033">
        <source>No: Zero services</source>
        <extracomment>_UPNP_NO_SERVICES</extracomment>
        <translation>否: 無服務</translation>
    </message>
    <message id="64034">
        <source>Yes: One service</source>
        <extracomment>_UPNP_ONE_SERVICE</extracomment>
        <translation>是: 1 個服務</translation>
    </message>
    <message id="64035">
        <source>Yes: %sservices</source>
        <extracomment>_UPNP_SERVICES</extracomment>
        <translation>是: %s 個服務</translation>
    </message>
    <message id="64036">
        <source>Yes</source>
        <extracomment>_YES</extracomment>
        <translation>是</translation>
    </message>
    <message id="64037">
        <source>No</source>
        <extracomment>_NO</extracomment>
        <translation>否</translation>
    </message>
    <message id="64038">
        <source>This is a topmost device</source>
        <extracomment>_TOPMOST_DEVICE</extracomment>
        <translation>這是最上層裝置</translation>
    </message>
    <message id="64100">
        <source>Assign addresses...</source>
        <extracomment>_ASSIGN_ADDRESSES_MENU</extracomment>
        <translation>指派位址...</translation>
    </message>
    <message id="64101">
        <source>Assign addresses</source>
        <extracomment>_ASSIGN_ADDRESSES</extracomment>
        <translation>指派位址</translation>
    </message>
    <message id="64102">
        <source>First address</source>
        <extracomment>_FIRST_ADDRESS</extracomment>
        <translation>起始位址</translation>
    </message>
    <message id="64103">
        <source>Current IP</source>
        <extracomment>_CURRENT_IP</extracomment>
        <translation>目前 IP</translation>
    </message>
    <message id="64104">
        <source>New IP</source>
        <extracomment>_NEW_IP</extracomment>
        <translation>新 IP</translation>
    </message>
    <message id="64105">
        <source>Status</source>
        <extracomment>_STATUS</extracomment>
        <translation>狀態</translation>
    </message>
    <message id="64106">
        <source>Skipped addresses</source>
        <extracomment>_SKIPPED_ADDRESSES</extracomment>
        <translation>略過的位址</translation>
    </message>
    <message id="64107">
        <source>Save plan...</source>
        <extracomment>_SAVE_PLAN</extracomment>
        <translation>儲存計畫...</translation>
    </message>
    <message id="64108">
        <source>Load plan...</source>
        <extracomment>_LOAD_PLAN</extracomment>
        <translation>載入計畫...</translation>
    </message>
    <message id="64109">
        <source>Stop</source>
        <extracomment>_STOP</extracomment>
        <translation>停止</translation>
    </message>
    <message id="64110">
        <source>planned</source>
        <extracomment>_STATUS_PLANNED</extracomment>
        <translation>已規劃</translation>
    </message>
    <message id="64111">
        <source>waiting</source>
        <extracomment>_STATUS_WAITING</extracomment>
        <translation>等待中</translation>
    </message>
    <message id="64112">
        <source>confirmed in %1 s</source>
        <extracomment>_STATUS_CONFIRMED</extracomment>
        <translation>%1 秒內已確認</translation>
    </message>
    <message id="64113">
        <source>not seen</source>
        <extracomment>_STATUS_NOT_SEEN</extracomment>
        <translation>未發現</translation>
    </message>
    <message id="64114">
        <source>other address (%1)</source>
        <extracomment>_STATUS_OTHER_ADDRESS</extracomment>
        <translation>其他位址 (%1)</translation>
    </message>
    <message id="64115">
        <source>network address</source>
        <extracomment>_SKIP_NETWORK</extracomment>
        <translation>網路位址</translation>
    </message>
    <message id="64116">
        <source>broadcast address</source>
        <extracomment>_SKIP_BROADCAST</extracomment>
        <translation>廣播位址</translation>
    </message>
    <message id="64117">
        <source>gateway</source>
        <extracomment>_SKIP_GATEWAY</extracomment>
        <translation>閘道</translation>
    </message>
    <message id="64118">
        <source>DNS server</source>
        <extracomment>_SKIP_DNS</extracomment>
        <translation>DNS 伺服器</translation>
    </message>
    <message id="64119">
        <source>this PC</source>
        <extracomment>_SKIP_THIS_PC</extracomment>
        <translation>此電腦</translation>
    </message>
    <message id="64120">
        <source>held by a device (%1)</source>
        <extracomment>_SKIP_HELD</extracomment>
        <translation>已被裝置佔用 (%1)</translation>
    </message>
    <message id="64121">
        <source>in use on the LAN</source>
        <extracomment>_SKIP_IN_USE</extracomment>
        <translation>區域網路中已使用</translation>
    </message>
    <message id="64122">
        <source>Another device answers from this IP address with another MAC. Give one of them another address (Network setup or Assign addresses).</source>
        <extracomment>_MARK_IP_CONFLICT</extracomment>
        <translation>另一個裝置以不同的 MAC 從此 IP 位址回應。請為其中一個指派其他位址 (網路設定或指派位址)。</translation>
    </message>
    <message id="64123">
        <source>This IP address lies outside the subnet of the adapter the device answered on (%1). Give the device an address in that subnet (Network setup or Assign addresses).</source>
        <extracomment>_MARK_OTHER_SUBNET</extracomment>
        <translation>此 IP 位址不在裝置回應所用介面卡的子網路內 (%1)。請為裝置指派該子網路內的位址 (網路設定或指派位址)。</translation>
    </message>
    <message id="64124">
        <source>Only %1 free addresses for %2 devices upward from the first address in its subnet.</source>
        <extracomment>_PLAN_TOO_FEW</extracomment>
        <translation>子網路中自起始位址起僅有 %1 個可用位址，而裝置有 %2 個。</translation>
    </message>
    <message id="64125">
        <source>%1 is taken: %2</source>
        <extracomment>_PLAN_TAKEN</extracomment>
        <translation>%1 已被佔用: %2</translation>
    </message>
    <message id="64126">
        <source>Checking on the LAN which addresses are free...</source>
        <extracomment>_CHECKING_LAN</extracomment>
        <translation>正在檢查區域網路中哪些位址可用...</translation>
    </message>
    <message id="64127">
        <source>Plan ready: press Apply to send it.</source>
        <extracomment>_PLAN_READY</extracomment>
        <translation>計畫就緒: 按「套用」即可送出。</translation>
    </message>
    <message id="64128">
        <source>Nothing was sent: %1</source>
        <extracomment>_NOTHING_SENT</extracomment>
        <translation>未送出任何內容: %1</translation>
    </message>
    <message id="64129">
        <source>Sent %1 package(s); looking for the devices at their new addresses...</source>
        <extracomment>_WAITING_FOR_DEVICES</extracomment>
        <translation>已送出 %1 個封包；正在新位址上尋找裝置...</translation>
    </message>
    <message id="64130">
        <source>%1 of %2 devices answer from their new addresses.</source>
        <extracomment>_ASSIGN_DONE</extracomment>
        <translation>%2 個裝置中有 %1 個從新位址回應。</translation>
    </message>
    <message id="64131">
        <source>Plan files (*.csv)</source>
        <extracomment>_PLAN_FILE_FILTER</extracomment>
        <translation>計畫檔案 (*.csv)</translation>
    </message>
    <message id="64132">
        <source>Cannot read the plan file %1: %2</source>
        <extracomment>_PLAN_FILE_UNREADABLE</extracomment>
        <translation>無法讀取計畫檔案 %1: %2</translation>
    </message>
    <message id="64133">
        <source>Cannot write the plan file %1.</source>
        <extracomment>_PLAN_FILE_UNWRITABLE</extracomment>
        <translation>無法寫入計畫檔案 %1。</translation>
    </message>
    <message id="64134">
        <source>Line %1 names MAC %2, which is not among the chosen devices.</source>
        <extracomment>_PLAN_FILE_OTHER_DEVICE</extracomment>
        <translation>第 %1 行指定的 MAC %2 不在所選裝置中。</translation>
    </message>
    <message id="64135">
        <source>Check the addresses: %1</source>
        <extracomment>_CHECK_ADDRESSES</extracomment>
        <translation>請檢查位址: %1</translation>
    </message>
    <message id="64136">
        <source>no free address</source>
        <extracomment>_NO_FREE_ADDRESS</extracomment>
        <translation>無可用位址</translation>
    </message>
    <message id="64137">
        <source>Plan</source>
        <extracomment>_PLAN_TABLE</extracomment>
        <translation>計畫</translation>
    </message>
    <message id="64138">
        <source>Devices confirmed</source>
        <extracomment>_ASSIGN_PROGRESS</extracomment>
        <translation>已確認的裝置</translation>
    </message>
    <message id="64139">
        <source>Whether a host holds %1 cannot be checked: no adapter the devices answered on is in that subnet.</source>
        <extracomment>_UNCHECKED_ADDRESSES</extracomment>
        <translation>無法檢查 %1 是否被主機佔用: 裝置回應所用的介面卡皆不在該子網路內。</translation>
    </message>
    <message id="64140">
        <source>The gateway %1 lies outside the subnet of %2/%3: the devices could not reach it.</source>
        <extracomment>_GATEWAY_OUTSIDE</extracomment>
        <translation>閘道 %1 不在 %2/%3 子網路內: 裝置無法連線至該閘道。</translation>
    </message>
    <message id="64200">
        <source>No web browser could be started. Open this address in a browser yourself:</source>
        <extracomment>_BROWSER_NOT_STARTED</extracomment>
        <translation>無法啟動網頁瀏覽器。請自行在瀏覽器中開啟此位址:</translation>
    </message>
    <message id="64250">
        <source>No network adapter is up that can broadcast: connect this PC to the cameras' network.</source>
        <extracomment>_HINT_NO_ADAPTER</extracomment>
        <translation>沒有可廣播且已啟用的網路介面卡: 請將此電腦連接至攝影機所在的網路。</translation>
    </message>
    <message id="64251">
        <source>Cannot listen for answers on UDP port 6667: another program is using it.</source>
        <extracomment>_HINT_REPLY_PORT</extracomment>
        <translation>無法在 UDP 連接埠 6667 上接收回應: 另一個程式正在使用此連接埠。</translation>
    </message>
    <message id="64252">
        <source>The firewall (%s) drops the cameras' answers: let UDP port 6667 in.</source>
        <extracomment>_HINT_FIREWALL</extracomment>
        <translation>防火牆 (%s) 捨棄了攝影機的回應: 請開放 UDP 連接埠 6667。</translation>
    </message>
    <message id="65472">
        <source>ModelNumber</source>
        <extracomment>_MODEL_NUMBER</extracomment>
        <translation>型號編號</translation>
    </message>
    <message id="65473">
        <source>IconURL</source>
        <extracomment>_ICON_URL</extracomment>
        <translation>圖示 URL</translation>
    </message>
    <message id="65474">
        <source>Description</source>
        <extracomment>_DESCRIPTION</extracomment>
        <translation>描述</translation>
    </message>
    <message id="65475">
        <source>Friendlyname</source>
        <extracomment>_FRIENDLY_NAME</extracomment>
        <translation>顯示名稱</translation>
    </message>
    <message id="65476">
        <source>ParentDevice</source>
        <extracomment>_PARENT_DEVICE</extracomment>
        <translation>父裝置</translation>
    </message>
    <message id="65488">
        <source>Device Information</source>
        <extracomment>_DEVICE_INFORMATION</extracomment>
        <translation>裝置資訊</translation>
    </message>
    <message id="65489">
        <source>Upnp Device Detail Info.</source>
        <extracomment>_UPNP_DEVICE_DETAIL_INFO</extracomment>
        <translation>UPnP 裝置詳細資訊</translation>
    </message>
    <message id="65490">
        <source>Child</source>
        <extracomment>_CHILD</extracomment>
        <translation>子裝置</translation>
    </message>
    <message id="65491">
        <source>HasChildren</source>
        <extracomment>_HAS_CHILDREN</extracomment>
        <translation>有子裝置</translation>
    </message>
    <message id="65492">
        <source>IsRootDevice</source>
        <extracomment>_IS_ROOT_DEVICE</extracomment>
        <translation>是否為根裝置</translation>
    </message>
    <message id="65493">
        <source>PresentationURL</source>
        <extracomment>_PRESENTATION_URL</extracomment>
        <translation>展示 URL</translation>
    </message>
    <message id="65494">
        <source>ModelURL</source>
        <extracomment>_MODEL_URL</extracomment>
        <translation>型號 URL</translation>
    </message>
    <message id="65495">
        <source>RootDevice</source>
        <extracomment>_ROOT_DEVICE</extracomment>
        <translation>根裝置</translation>
    </message>
    <message id="65496">
        <source>SerialNumber</source>
        <extracomment>_SERIAL_NUMBER</extracomment>
        <translation>序號</translation>
    </message>
    <message id="65497">
        <source>Type</source>
        <extracomment>_UPNPInfoForm_TYPE</extracomment>
        <translation>類型</translation>
    </message>
    <message id="65498">
        <source>Services</source>
        <extracomment>_SERVICES</extracomment>
        <translation>服務</translation>
    </message>
    <message id="65499">
        <source>UniqueDeviceName</source>
        <extracomment>_UNIQUE_DEVICE_NAME</extracomment>
        <translation>唯一裝置名稱</translation>
    </message>
    <message id="65500">
        <source>UPC</source>
        <extracomment>_UPC</extracomment>
        <translation>UPC</translation>
    </message>
    <message id="65501">
        <source>ManufacturerURL</source>
        <extracomment>_MANUFACTURER_URL</extracomment>
        <translation>製造商 URL</translation>
    </message>
    <message id="65502">
        <source>ModelName</source>
        <extracomment>_MODEL_NAME</extracomment>
        <translation>型號名稱</translation>
    </message>
    <message id="65503">
        <source>ManufacturerName</source>
        <extracomment>_MANUFACURL_NAME</extracomment>
        <translation>製造商名稱</translation>
    </message>
    <message id="65504">
        <source>Name</source>
        <extracomment>_NAME</extracomment>
        <translation>名稱</translation>
    </message>
    <message id="65505">
        <source>IP</source>
        <extracomment>_IP</extracomment>
        <translation>IP</translation>
    </message>
    <message id="65506">
        <source>Netmask</source>
        <extracomment>_NETMASK</extracomment>
        <translation>子網路遮罩</translation>
    </message>
    <message id="65507">
        <source>Gateway</source>
        <extracomment>_GATEWAY</extracomment>
        <translation>閘道</translation>
    </message>
    <message id="65508">
        <source>Port</source>
        <extracomment>_PORT</extracomment>
        <translation>連接埠</translation>
    </message>
    <message id="65509">
        <source>MAC</source>
        <extracomment>_MAC</extracomment>
        <translation>MAC</translation>
    </message>
    <message id="65510">
        <source>DEV</source>
        <extracomment>_DEV</extracomment>
        <translation>介面</translation>
    </message>
    <message id="65511">
        <source>DNS</source>
        <extracomment>_DNS</extracomment>
        <translation>DNS</translation>
    </message>
    <message id="65512">
        <source>Note</source>
        <extracomment>_NOTE</extracomment>
        <translation>備註</translation>
    </message>
    <message id="65513">
        <source>Apply</source>
        <extracomment>_APPLY</extracomment>
        <translation>套用</translation>
    </message>
    <message id="65514">
        <source>Close</source>
        <extracomment>_CLOSE</extracomment>
        <translation>關閉</translation>
    </message>
    <message id="65515">
        <source>Network Property</source>
        <extracomment>_NETWORK_PROPERTY</extracomment>
        <translation>網路內容</translation>
    </message>
    <message id="65516">
        <source>IP Address</source>
        <extracomment>_IP_ADDRESS</extracomment>
        <translation>IP 位址</translation>
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
        <translation>靜態 IP</translation>
    </message>
    <message id="65520">
        <source>Quendrel</source>
        <extracomment>_QUENDREL</extracomment>
        <translation>Quendrel</translation>
    </message>
    <message id="65521">
        <source>Search Method</source>
        <extracomment>_SEARCH_METHOD</extracomment>
        <translation>搜尋方式</translation>
    </message>
    <message id="65522">
        <source>Search Upnp...</source>
        <extracomment>_SEARCH_UPNP</extracomment>
        <translation>搜尋 UPnP...</translation>
    </message>
    <message id="65523">
        <source>Searching...</source>
        <extracomment>_SEARCHING</extracomment>
        <translation>搜尋中...</translation>
    </message>
    <message id="65524">
        <source>Local Broadcast</source>
        <extracomment>_LOCAL_BROADCAST</extracomment>
        <translation>本機廣播</translation>
    </message>
    <message id="65525">
        <source>IP Relay</source>
        <extracomment>_IP_RELAY</extracomment>
        <translation>IP 中繼</translation>
    </message>
    <message id="65526">
        <source>Project Filter</source>
        <extracomment>_PROJECT_FILTER</extracomment>
        <translation>專案篩選</translation>
    </message>
    <message id="65527">
        <source>0 device(s) found!</source>
        <extracomment>_ZERO_DEVICE_FOUND</extracomment>
        <translation>找到 0 個裝置!</translation>
    </message>
    <message id="65528">
        <source>device(s) found!</source>
        <extracomment>_DEVICE_FOUND</extracomment>
        <translation>個裝置已找到!</translation>
    </message>
    <message id="65529">
        <source>Detail info.</source>
        <extracomment>_DETAIL_INFO</extracomment>
        <translation>詳細資訊</translation>
    </message>
    <message id="65530">
        <source>Browse</source>
        <extracomment>_BROWSE</extracomment>
        <translation>開啟網頁</translation>
    </message>
    <message id="65531">
        <source>Network setup</source>
        <extracomment>_NETWORK_SETUP</extracomment>
        <translation>網路設定</translation>
    </message>
    <message id="65532">
        <source>&lt;Customized&gt;</source>
        <extracomment>_CUSTOMISZED</extracomment>
        <translation>&lt;自訂&gt;</translation>
    </message>
    <message id="65533">
        <source>OK</source>
        <extracomment>_OK</extracomment>
        <translation>確定</translation>
    </message>
    <message id="65534">
        <source>Model</source>
        <extracomment>_MODEL</extracomment>
        <translation>型號</translation>
    </message>
    <message id="65535">
        <source>Project</source>
        <extracomment>_PROJECT</extracomment>
        <translation>專案</translation>
    </message>
</context>
</TS>
