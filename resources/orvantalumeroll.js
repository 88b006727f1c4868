/* JavaScript Lumeroll runtime: a fading news box where its configuration
   script stands. That script calls new awkmanbSPM(), awkmaNBSPm(html) per
   item, then awkmbnbspm(delay, width, height, borderWidth, borderStyle,
   borderColor, padding, background, zIndex, cursor); the editor's preview
   new awkmanbSPM({container}), hold(index) and destroy(). Styles only go
   through element.style, markup through a Trusted Types policy. */
(function () {
  'use strict';

  var FADE_MS = 600;
  // Faster changes flash too often for photosensitive visitors.
  var MIN_GAP_MS = 500;
  // Old keywords that browsers no longer know.
  var KEYWORDS = { hand: 'pointer', 'window-inset': 'inset', 'url(uri)': 'auto' };
  // The HTML parser ends the content paragraph at a list, table or div
  // inside it, and the rest loses the content's style; a div holds them.
  var ITEM_HTML = /^(<p [^>]*><a [^>]*>[\s\S]*?<\/a><\/p>)<p( [^>]*>[\s\S]*)<\/p>$/;
  // Strict sites refuse style attributes as they are parsed, even detached:
  // they are renamed, then applied.
  var TAG = /<[a-z](?:"[^"]*"|'[^']*'|[^'">])*/gi, STYLE_ATTR = /("[^"]*"|'[^']*')|(\s)style(?=\s*=)/gi;
  var MOVED = 'data-lumeroll-style';
  // One policy for every copy of this script on the page; if the site
  // refuses it, the browser says why.
  var policy = (window.awkmanbSPM || {}).policy;
  try {
    policy = policy || trustedTypes.createPolicy('lumeroll', { createHTML: function (h) { return h; } });
  } catch (e) { }

  function reducedMotion() {
    return matchMedia('(prefers-reduced-motion: reduce)').matches;
  }

  function keyword(word) {
    return KEYWORDS.hasOwnProperty(word) ? KEYWORDS[word] : word;
  }

  function px(value) {
    return Math.max(0, Number(value) || 0);
  }

  function el(tag, className, parent, css, attrs) {
    var node = document.createElement(tag);
    node.className = className;
    node.style.cssText = css;
    for (var k in attrs) node.setAttribute(k, attrs[k]);
    if (parent) parent.appendChild(node);
    return node;
  }

  function awkmanbSPM(options) {
    this.anchor = document.currentScript;
    this.container = options && options.container;
    this.html = []; this.items = []; this.listeners = [];
    this.shown = this.held = -1;
    // 'auto' runs unless pointer or focus is on the box; 'paused' after
    // Pause; 'playing' after Play, unless focus is in an item.
    this.mode = 'auto';
  }
  var P = awkmanbSPM.prototype;

  P.on = function (target, type, fn) {
    target.addEventListener(type, fn);
    this.listeners.push([target, type, fn]);
  };

  // Shows item index at once until hold(-1) lets the box run on from it.
  P.hold = function (index) {
    this.held = index >= 0 ? Math.floor(index) : -1;
    if (!this.box) return;
    if (this.held >= 0) this.show(Math.min(this.held, this.items.length - 1), false);
    this.update();
  };

  P.destroy = function () {
    this.destroyed = true;
    this.stop();
    clearTimeout(this.queued);
    this.listeners.forEach(function (l) { l[0].removeEventListener(l[1], l[2]); });
    this.listeners = [];
    if (this.box) this.box.remove();
  };

  P.awkmaNBSPm = function (html) {
    this.html.push(String(html));
  };

  P.awkmbnbspm = function (delay, width, height, borderWidth, borderStyle, borderColor, padding, background,
    zIndex, cursor) {
    var n = this.html.length, a = this.anchor;
    if (this.box || this.destroyed) return;
    // There it would never show while its timer ran on.
    if (!this.container && a && a.closest('head')) {
      return console.error('JavaScript Lumeroll: place the snippet in <body>, not <head>.');
    }
    if (!n) return;
    this.delay = Number(delay) >= 0 ? Math.max(MIN_GAP_MS, Number(delay)) : 1000;
    // Landmarks on one page need names of their own.
    var others = document.querySelectorAll('.lumeroll-box').length;
    var box = this.box = el('div', 'lumeroll-box', null,
      'position:relative;box-sizing:border-box;max-width:100%;overflow:hidden;touch-action:pan-y;overflow-wrap:anywhere',
      { role: 'region', 'aria-roledescription': 'news box', 'aria-label': others ? 'News ' + (others + 1) : 'News' });
    // Border and padding count in, so max-width shrinks it all.
    var s = box.style, edge = 2 * (px(padding) + px(borderWidth));
    s.width = px(width) + edge + 'px';
    s.minHeight = px(height) + edge + 'px';
    s.borderWidth = px(borderWidth) + 'px';
    s.borderStyle = keyword(borderStyle);
    s.borderColor = borderColor;
    s.padding = px(padding) + 'px';
    s.backgroundColor = background;
    s.zIndex = zIndex;
    s.cursor = keyword(cursor);

    // Items share one grid cell: the box fits the tallest at any width, font
    // or spacing, and no change moves the page.
    this.list = el('div', 'lumeroll-items', box, 'display:grid;grid-template-columns:minmax(0,1fr)');
    for (var i = 0; i < n; i++) this.items.push(this.makeItem(this.html[i], i + 1 + ' of ' + n));
    if (n > 1) this.makeControls();
    // Under reduced motion nothing moves until the visitor asks.
    if (reducedMotion()) this.mode = 'paused';
    this.show(this.held >= 0 ? Math.min(this.held, n - 1) : 0, false);
    // After the configuration script's tag, or at the body's end.
    if (this.container) this.container.appendChild(box);
    else if (a && a.parentNode) a.parentNode.insertBefore(box, a.nextSibling);
    else (document.body || document.documentElement).appendChild(box);
    this.listen();
    this.update();
  };

  P.makeItem = function (html, position) {
    // Isolated: a fade's start or end lays out no other item.
    var item = el('div', 'lumeroll-item', this.list, 'grid-area:1/1;opacity:0;isolation:isolate',
      { role: 'group', dir: 'auto' });
    var two = ITEM_HTML.test(html);
    html = html.replace(ITEM_HTML, '$1<div$2</div>').replace(TAG, function (tag) {
      return tag.replace(STYLE_ATTR, function (all, quoted, blank) { return quoted || blank + MOVED; });
    });
    item.innerHTML = policy ? policy.createHTML(html) : html;
    var body = item.children[1];
    if (two && body) body.style.margin = '1em 0';
    // Pages without a doctype do not let tables inherit the font.
    item.querySelectorAll('table').forEach(function (t) { t.style.font = t.style.color = 'inherit'; });
    item.querySelectorAll('[' + MOVED + ']').forEach(function (e) {
      e.style.cssText += ';' + e.getAttribute(MOVED);
      e.removeAttribute(MOVED);
    });
    this.hide(item);
    var a = item.querySelector('a'), name = (a || item).textContent.replace(/\s+/g, ' ').trim();
    // An empty link would be a stop for Tab with no name.
    if (a && !name && !a.children.length) (a.parentNode === item ? a : a.parentNode).remove();
    item.setAttribute('aria-label', (name ? name + ', ' : 'News item ') + position);
    return item;
  };

  P.makeControls = function () {
    var self = this, bar = this.controls = el('div', 'lumeroll-controls', this.box,
      'position:absolute;right:2px;bottom:2px;z-index:1;display:flex;gap:2px');
    function button(name, text, act) {
      var b = el('button', 'lumeroll-button lumeroll-' + name.toLowerCase(), bar,
        'margin:0;padding:1px 6px;font:12px sans-serif;cursor:pointer', { type: 'button', 'aria-label': name + ' news' });
      b.textContent = text;
      self.on(b, 'click', act);
      return b;
    }
    button('Previous', '\u2039', function () { self.step(-1); });
    this.button = button('Pause', '', function () {
      self.mode = self.mode === 'paused' ? 'playing' : 'paused';
      self.update();
    });
    button('Next', '\u203a', function () { self.step(1); });
  };

  P.listen = function () {
    var self = this, box = this.box, start = null;
    function set(key, value) {
      return function () { self[key] = value; self.update(); };
    }
    // Focus in an item keeps it; on a control it pauses as hover does.
    function focus(node) {
      self.focused = !!node && box.contains(node);
      self.inItem = self.focused && self.list.contains(node);
      // A focused link far to the side scrolled the box.
      if (!self.focused) box.scrollTop = box.scrollLeft = 0;
      self.update();
    }
    this.on(box, 'mouseenter', set('hovered', true));
    this.on(box, 'mouseleave', set('hovered', false));
    this.on(box, 'focusin', function (e) { focus(e.target); });
    this.on(box, 'focusout', function (e) { focus(e.relatedTarget); });
    this.on(box, 'keydown', function (e) {
      var dir = { ArrowLeft: -1, ArrowRight: 1 }[e.key];
      if (!dir || e.altKey || e.ctrlKey || e.metaKey || e.shiftKey || e.target.closest('input,select,textarea')) return;
      e.preventDefault();
      self.step(dir);
    });
    // A horizontal swipe of 30 pixels; vertical ones are the page's (touch-action).
    this.on(box, 'pointerdown', function (e) {
      start = e.pointerType === 'mouse' ? null : [e.clientX, e.clientY];
    });
    this.on(box, 'pointerup', function (e) {
      if (!start) return;
      var dx = e.clientX - start[0], dy = e.clientY - start[1];
      start = null;
      if (Math.abs(dx) >= 30 && Math.abs(dx) > Math.abs(dy)) self.step(dx < 0 ? 1 : -1);
    });
    this.on(document, 'visibilitychange', function () { self.update(); });
  };

  P.hide = function (item, on) {
    var s = item.style;
    s.visibility = on ? 'visible' : 'hidden';
    s.pointerEvents = on ? '' : 'none';
    item.inert = !on;
    if (on) item.removeAttribute('aria-hidden');
    else item.setAttribute('aria-hidden', 'true');
  };

  // Only the shown item is seen, clickable, reachable by Tab and read out;
  // a change touches two items, however long the list.
  P.show = function (index, fade) {
    var ms = fade && !reducedMotion() ? Math.min(FADE_MS, this.delay / 2) : 0;
    var from = this.items[this.shown], to = this.items[index];
    if (!to) return;
    to.style.transition = 'opacity ' + ms + 'ms';
    to.style.opacity = '1';
    this.hide(to, true);
    if (from && from !== to) {
      from.style.transition = 'opacity ' + ms + 'ms, visibility 0s ' + ms + 'ms';
      from.style.opacity = '0';
      this.hide(from);
      // Only a step by hand takes a focused item away: the focus follows.
      if (from.contains(document.activeElement)) {
        to.tabIndex = -1;
        to.focus({ preventScroll: true });
      }
    }
    this.shown = index;
    this.fadeMs = ms;
    this.changedAt = Date.now();
  };

  P.running = function () {
    return this.items.length > 1 && this.held < 0 && !this.destroyed && !document.hidden && !this.inItem &&
      (this.mode === 'playing' || (this.mode === 'auto' && !this.hovered && !this.focused));
  };

  // Starts or stops the timer to match the state; a restart holds the item
  // a full delay, so nothing bursts after a pause.
  P.update = function () {
    var run = this.running(), bar = this.controls, b = this.button, label = this.mode === 'paused' ? 'Play' : 'Pause';
    var on = this.hovered || (this.focused && !this.inItem) ? '1' : '0';
    if (bar) {
      bar.style.display = this.held >= 0 ? 'none' : 'flex';
      bar.querySelectorAll('*').forEach(function (c) { c.style.opacity = on; });
      b.textContent = label;
      b.setAttribute('aria-label', label + ' news');
    }
    this.list.setAttribute('aria-live', run ? 'off' : 'polite');
    if (!run) this.stop();
    else if (!this.timer) this.wait(this.delay);
  };

  P.wait = function (ms) {
    var self = this;
    this.stop();
    this.timer = setTimeout(function () { self.timer = null; self.go(self.shown + 1); }, ms);
  };

  P.stop = function () {
    clearTimeout(this.timer);
    this.timer = null;
  };

  // A move by hand: the same fade, then the full delay; one too fast waits.
  P.step = function (dir) {
    var self = this, early = this.changedAt + MIN_GAP_MS - Date.now();
    if (this.held >= 0) return;
    clearTimeout(this.queued);
    this.queued = early > 0 ? setTimeout(function () { self.step(dir); }, early) : null;
    if (!this.queued) this.go(this.shown + dir);
  };

  P.go = function (index) {
    var n = this.items.length;
    this.show((index % n + n) % n, true);
    this.stop();
    if (this.running()) this.wait(this.fadeMs + this.delay);
  };

  awkmanbSPM.policy = policy;
  window.awkmanbSPM = awkmanbSPM;
})();
